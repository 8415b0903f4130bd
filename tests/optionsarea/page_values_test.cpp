// The options pages' entries and number fields: every value shows as an entry and reads back, also one they lack.
#include "optionsarea/page_values.h"

#include <gtest/gtest.h>

#include "launch/mame_args.h"

namespace {

// "label=value" per entry, or with `mame_name` the name the value gives MAME ("-": MAME chooses).
std::string Entries(const ChoiceList& list, const char* (*mame_name)(int32_t) = nullptr) {
  std::string out;
  for (size_t i = 0; i < list.labels.size(); ++i) {
    const char* name = mame_name ? mame_name(list.values[i]) : nullptr;
    out += list.labels[i] + "=" + (!mame_name ? std::to_string(list.values[i]) : name ? name : "-") + " ";
  }
  return out;
}

TEST(PageValues, EntriesPutTheValuesBehindTheLabelsAndAddAMissingOne) {
  EXPECT_EQ(Entries(FrameSkipChoices()), "Off=0 Auto=-1 1=1 2=2 3=3 4=4 5=5 6=6 7=7 8=8 9=9 10=10 ");
  EXPECT_EQ(Entries(PrescaleChoices()), "1x (Off)=1 2x=2 3x=3 4x=4 5x=5 6x=6 7x=7 8x=8 ");
  EXPECT_EQ(Entries(IntegerScaleChoices()), "Off=0 1x=1 2x=2 3x=3 4x=4 5x=5 6x=6 7x=7 8x=8 ");
  EXPECT_EQ(Entries(AudioLatencyChoices()), "1 (Lowest Delay)=1 2 (Default)=2 3=3 4=4 5 (Safest)=5 ");
  EXPECT_EQ(Entries(DitherChoices()), "Off=0 Low=1 Medium=2 High=3 ");
  EXPECT_EQ(Entries(GlslFilterChoices()), "Plain=0 Bilinear=1 Bicubic=2 ");  // MAME's own numbers

  // What MAME is given for each entry.
  EXPECT_EQ(Entries(VideoModeChoices(), VideoName),
            "Auto (MAME's Choice)=- BGFX=bgfx Direct3D=d3d OpenGL=opengl GDI (software)=gdi ");
  EXPECT_EQ(Entries(SoundChoices(), SoundName),
            "Auto (MAME's Choice)=- Off=none DirectSound=dsound XAudio2=xaudio2 PortAudio=portaudio ");
  EXPECT_EQ(Entries(BgfxChainChoices(), BgfxChainName),
            "Default=- Unfiltered=unfiltered HLSL (CRT simulation)=hlsl CRT Geometry=crt-geom "
            "CRT Geometry Deluxe=crt-geom-deluxe LCD Grid=lcd-grid ");
  EXPECT_EQ(Entries(BgfxBackendChoices(), BgfxBackendName),
            "Default=- Direct3D 11=d3d11 Direct3D 12=d3d12 OpenGL=opengl Vulkan=vulkan Automatic=auto ");
  EXPECT_EQ(Entries(JoystickProviderChoices(), JoystickProviderName),
            "Auto=- Windows (hybrid)=winhybrid DirectInput=dinput XInput=xinput None=none ");

  ChoiceList rates = SampleRateChoices();  // found, then added
  EXPECT_TRUE(ChoiceIndexAdding(rates, 44100) == 3 && ChoiceIndexAdding(rates, 11025, "%d Hz") == 5);
  EXPECT_EQ(Entries(rates), "Default (48000 Hz)=0 22050 Hz=22050 32000 Hz=32000 44100 Hz=44100 48000 Hz=48000 "
                            "11025 Hz=11025 ");
  ChoiceList autofire = AutofireSpeedChoices();
  EXPECT_TRUE(ChoiceIndexAdding(autofire, 7) == 4 && autofire.labels[4] == "7");

  TextChoiceList device = LightgunDeviceChoices();
  for (auto [value, at] : {std::pair{"Keyboard", 0}, {"LIGHTGUN", 2}, {"paddle", 5}})
    EXPECT_EQ(TextChoiceIndexAdding(device, value), at) << value;
  EXPECT_EQ(device.labels[5] + "=" + device.values[5], "paddle=paddle");
  TextChoiceList provider = LightgunProviderChoices();
  EXPECT_TRUE(TextChoiceIndexAdding(provider, "RAWINPUT") == 2 && provider.labels[2] == "Raw Input");
}

TEST(PageValues, ResolutionAndControllerFileKeepASavedValueTheListLacks) {
  DisplayModes modes{{800, 600}, {1920, 1080}};
  int selected = -1;
  auto pick = [&](int32_t w, int32_t h) { return ResolutionChoices(modes, w, h, &selected), selected; };
  EXPECT_EQ(ResolutionChoices(modes, 0, 0, &selected).labels,
            (std::vector<std::string>{"Auto (MAME's Choice)", "800 x 600", "1920 x 1080"}));
  EXPECT_TRUE(selected == 0 && pick(1920, 1080) == 2 && pick(0, 768) == 0);  // no width: MAME picks
  ResolutionList odd = ResolutionChoices(modes, 1000, 700, &selected);
  EXPECT_TRUE(selected == 3 && odd.labels[3] == "1000 x 700" && odd.sizes[3] == std::make_pair(1000, 700));

  auto labels = ControllerFileChoices({"xarcade", "hotrod"}, "HOTROD", &selected);
  EXPECT_TRUE(labels == (std::vector<std::string>{"None", "xarcade", "hotrod"}) && selected == 2);
  labels = ControllerFileChoices({"xarcade"}, "gone", &selected);
  EXPECT_TRUE(labels.back() == "gone" && selected == 2);
  EXPECT_EQ(ControllerFileOf(labels, selected, "") + "|" + ControllerFileOf(labels, 0, "gone") + "|" +
                ControllerFileOf(labels, 3, "gone"), "gone||");
  ControllerFileChoices({}, "", &selected);
  EXPECT_TRUE(selected == 0 && ControllerFileOf({"None", std::string(63, 'n')}, 1, "kept") == std::string(63, 'n'));
  EXPECT_EQ(ControllerFileOf({"None", std::string(64, 'n')}, 1, "kept"), "kept");
}

TEST(PageValues, TypedNumbersAreClampedAndJunkKeepsTheValue) {
  const struct { const char* text; int32_t expected; } cases[] = {{"12", 12}, {" 40 ", 32}, {"32", 32}, {"-3", 0}, {"0", 0}, {"", 5}, {"1,5", 5}, {"99999999999", 32}};
  for (const auto& c : cases) EXPECT_EQ(ReadNumberField(c.text, 0, 32, 5), c.expected) << c.text;
}

TEST(PageValues, RomsFolderChoiceReplacesOrAppends) {
  for (auto [field, append, after] :
       {std::tuple{"C:\\roms", false, "D:\\more"}, {"C:\\roms", true, "C:\\roms;D:\\more"}, {"  ", true, "D:\\more"},
        {"C:\\roms;", true, "C:\\roms;D:\\more"}, {"C:\\roms; d:\\MORE", true, "C:\\roms; d:\\MORE"}})
    EXPECT_EQ(RomsFieldAfterChoice(field, "D:\\more", append), after) << field;
  // Blanks and empty pieces skipped; a first folder with nothing before it.
  EXPECT_EQ(FirstFolderOf(" ; C:\\roms ;D:\\x") + "|" + FirstFolderOf("") + "|" + FirstFolderOf("C:\\roms;D:\\x"),
            "C:\\roms||C:\\roms");

  // A folder whose own path holds a semicolon shows as pieces that name it together.
  auto is_folder = [](const std::string& p) { return p == "D:\\my;roms" || p == "roms" || p == "E:\\a;b;c"; };
  const struct { const char *field, *folder, *rest; } cases[] = {
      {"roms;D:\\my;roms", "D:\\my;roms", "roms"}, {" D:\\my;roms ;; roms", "D:\\my;roms", " roms"},
      {"E:\\a;b;c;roms", "E:\\a;b;c", "roms"}, {"roms;D:\\my;E:\\a", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    std::string folder, rest;
    EXPECT_EQ(FindSemicolonFolder(c.field, is_folder, folder, rest), c.folder != nullptr) << c.field;
    if (c.folder) { EXPECT_EQ(folder + "|" + rest, std::string(c.folder) + "|" + c.rest) << c.field; }
  }
}

}  // namespace
