// The pad probe run: a tiny plugin makes MAME list its joysticks and their
// items into korvo-padprobe.txt, which then answers the pad questions.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Starts MAME hidden with the probe's arguments for `plugin_folder` and waits
// at most `time_limit_ms` (ending it after that). False when MAME could not
// be started, for instance when mame.exe is missing. The launcher's process
// layer provides it; tests pass their own.
using ProbeRunner = std::function<bool(const std::string& plugin_folder, uint32_t time_limit_ms)>;
void SetPadProbeRunner(ProbeRunner runner);

constexpr uint32_t kProbeTimeLimitMs = 12000;

// init.lua of the korvo_probe plugin writing its report to `outpath`.
std::string ProbePluginScript(const std::string& outpath);

// Runs the probe unless one was attempted in this run (or `force`). The report
// replaces the probe and korvo-padprobe.txt only when it is complete.
void RunPadProbe(bool force, const ProbeRunner& runner);
void RunPadProbe(bool force);
// Forget that a probe was attempted (tests).
void ResetPadProbeAttempt();
