// The Audio page: MAME's sound output and its settings.
#include "optionsarea/options_fields_ui_win.h"
#include "optionsarea/options_page_layout_ui_win.h"
#include "optionsarea/options_page_set_ui_win.h"
#include "ui/ui_metrics_win.h"

int BuildAudioPage(HWND page) {
  PageLayout& p = NewPageLayout(page);
  BindChoice(p.Choice(kSoundId, "Sound"), SoundChoices, &Settings::sound);
  BindChoice(p.Choice(kSampleRateId, "Sample Rate"), SampleRateChoices, &Settings::sample_rate, "%d Hz");
  AddNumberField(p, kVolumeId, "Volume Attenuation (dB)", 0, 32, &Settings::volume, /*negated=*/true);
  BindChoice(p.Choice(kAudioLatencyId, "Audio Latency"), AudioLatencyChoices, &Settings::audio_latency);
  return p.Place(S(500), 0);
}
