// The four pages of the options area that this module fills (the Combos
// page has its own module), their control ids and their commands.
#pragma once
#include <windows.h>

#include <string>

// Control ids of the pages (commands of the main window's dispatch).
enum OptionsControlId {
  kVideoModeId = 300, kFullscreenId = 301, kResolutionId = 302, kRotationId = 303, kKeepAspectId = 304,
  kUnevenStretchId = 305, kBilinearId = 306, kPrescaleId = 307, kWaitVsyncId = 308, kSyncRefreshId = 309,
  kThrottleId = 310, kFrameSkipId = 311, kMaximizeId = 312, kBgfxChainId = 313, kBgfxBackendId = 314,
  kArtworkCropId = 315, kHlslId = 316, kGlslId = 317, kGlslFilterId = 318, kGlslShaderId = 319,
  kIntegerScaleId = 320, kFilterWindowId = 321, kFilterScalerId = 322, kFxaaId = 323, kDitherId = 324,
  kHlslSettingsId = 325, kAllMameOptionsId = 326,
  kSoundId = 340, kSampleRateId = 341, kVolumeId = 342, kAudioLatencyId = 343,
  kMameProgramId = 360, kMameBrowseId = 361, kMameClearId = 362, kRomsId = 363, kRomsBrowseId = 364,
  kRomsClearId = 365, kOnlyAvailableId = 366, kHideConsoleId = 367, kLogsId = 368, kClassicLayoutId = 369,
  kOnGameStartId = 370, kThemeId = 371, kBiosId = 372, kBiosBrowseId = 373, kBiosClearId = 374,
  kJoystickId = 380, kMappingOverridesId = 381, kAutofireSpeedId = 382, kJoystickProviderId = 383, kMouseId = 384,
  kLightgunId = 385, kContradictoryId = 386, kDeadzoneId = 387, kSaturationId = 388, kControllerFileId = 389,
  kSkipGameInfoId = 410, kSkipWarningsId = 411, kAutosaveId = 412, kCheatId = 413, kConfirmQuitId = 414,
  kExtraArgumentsId = 415,
  // The single MAME option fields (no command of their own).
  kSpeedId = 420, kRewindId = 421, kSnapsizeId = 422, kAviWriteId = 423, kWavWriteId = 424, kRecordId = 425,
  kPlaybackId = 426, kStateId = 427, kBrightnessId = 430, kContrastId = 431, kGammaId = 432, kAspectId = 433,
  kShadowMaskId = 434, kLutId = 435, kLightgunDeviceId = 436, kLightgunProviderId = 437,
  kPadNavigationId = 438, kPadExitComboId = 439,
};

// Each builds its page's controls and registers their fields; the result is
// the content height for the page's first width.
int BuildGeneralPage(HWND page);
int BuildVideoPage(HWND page);
int BuildAudioPage(HWND page);
int BuildControlsPage(HWND page);

// The General page's buttons and fields (361-374); true when handled.
bool GeneralPageCommand(int id, int code);
// The Classic Layout box follows a layout switch made elsewhere (the menu),
// unless the user ticked it differently.
void FollowLayoutSetting();
// Lists MAME's controller files again for a MAME program path as typed.
void RefreshControllerFiles(const std::string& mame_program);
