#include "controls/probe_run.h"

#include "base/file_system.h"
#include "base/paths.h"
#include "controls/lua_plugin.h"
#include "controls/pad_probe.h"

namespace {
ProbeRunner g_runner;
bool g_attempted = false;

// Kept as a raw string so the script reads as Lua; OUTPATH is prepended.
constexpr const char* kProbeBody = R"lua(
local exports = {
  name = 'korvo_probe',
  version = '1.0.0',
  description = 'Korvo pad probe',
  license = 'BSD-3-Clause',
  author = {name = 'Korvo'}
}

-- MAME's containers are keyed by index or item id; visit them in key order
-- so that the report lists devices and items the way MAME numbers them.
local function sorted_keys(t)
  local keys = {}
  for k in pairs(t) do keys[#keys + 1] = k end
  table.sort(keys, function(a, b)
    if type(a) == type(b) and (type(a) == 'number' or type(a) == 'string') then return a < b end
    return tostring(a) < tostring(b)
  end)
  return keys
end

-- Field separators and line breaks inside a name would split the record.
local function clean(text)
  return (tostring(text or ''):gsub('[|\r\n]', ' '))
end

local function write_report()
  local f = io.open(OUTPATH, 'w')
  if not f then return end
  local joysticks = manager.machine.input.device_classes['joystick']
  if joysticks then
    local devices = joysticks.devices
    for _, dk in ipairs(sorted_keys(devices)) do
      local dev = devices[dk]
      f:write('D|', tostring(dev.devindex), '|', clean(dev.name), '\n')
      local items = dev.items
      for _, ik in ipairs(sorted_keys(items)) do
        local item = items[ik]
        f:write('I|', tostring(dev.devindex), '|', clean(item.name), '|', clean(item.token), '|',
                tostring(item.current), '\n')
      end
    end
  end
  f:write('END\n')
  f:close()
end

function exports.startplugin()
  local n = 0
  local function on_frame()
    n = n + 1
    if n == 20 then pcall(write_report) end
  end
  if emu.add_machine_frame_notifier then
    exports.sub = emu.add_machine_frame_notifier(on_frame)
  elseif emu.register_frame then
    emu.register_frame(on_frame)
  end
end

return exports
)lua";
}  // namespace

void SetPadProbeRunner(ProbeRunner runner) { g_runner = std::move(runner); }
void ResetPadProbeAttempt() { g_attempted = false; }

std::string ProbePluginScript(const std::string& outpath) {
  return "local OUTPATH = " + LuaLongString(outpath) + "\n" + (kProbeBody + 1);
}

void RunPadProbe(bool force, const ProbeRunner& runner) {
  if (!force && g_attempted) return;
  g_attempted = true;
  // From now on an older report file is not read in this run.
  MarkPadProbeLoaded();
  if (!runner) return;

  const std::string search_folder = PluginsPath("korvo-probe-plugin");
  const std::string report = JoinPath(LauncherFolder(), "korvo-padprobe.txt");
  const std::string fresh = JoinPath(LauncherFolder(), "korvo-padprobe.new");
  DeleteFileAt(fresh);
  if (!WriteLuaPlugin(search_folder, "korvo_probe", ProbePluginScript(ShortUtf8Path(fresh)),
                      PluginJson("korvo_probe", "Korvo pad probe")))
    return;

  runner(search_folder, kProbeTimeLimitMs);

  // A report written before a time-out is still good when it is complete.
  std::optional<std::string> text = ReadWholeFile(fresh);
  if (text && IsCompleteProbeReport(*text)) {
    SetCurrentPadProbe(ParsePadProbe(*text));
    WriteFileAtomic(report, *text);
  }
  DeleteFileAt(fresh);
}

void RunPadProbe(bool force) { RunPadProbe(force, g_runner); }
