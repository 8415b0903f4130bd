// The mapping's files: its ports in MAME's default.cfg, older mappings carried over, a game's own inputs, profiles.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <utility>
#include <vector>

#include "controls/binding_migration.h"
#include "controls/cfg_elements.h"
#include "controls/default_cfg.h"
#include "controls/game_cfg_inputs.h"
#include "controls/profiles.h"
#include "settings/app_state.h"
#include "controls_test_env.h"

namespace {

std::string Port(const std::string& type, const std::string& seq, const std::string& eol = "\n") {
  return "            <port type=\"" + type + "\">" + eol + "                <newseq type=\"standard\">" + eol +
         "                    " + seq + eol + "                </newseq>" + eol + "            </port>" + eol;
}

std::string Cfg(const std::string& ports, const std::string& eol = "\n") {
  return "<?xml version=\"1.0\"?>" + eol + "<mameconfig version=\"10\">" + eol + "    <system name=\"default\">" +
         eol + "        <input>" + eol + ports + "        </input>" + eol + "    </system>" + eol + "</mameconfig>" + eol;
}

// The text with every launcher port element taken out, for comparing what must stay byte for byte.
std::string WithoutLauncherPorts(std::string text) {
  std::vector<std::pair<size_t, size_t>> cuts;
  for (int i = 0; i < kActionCount; ++i)
    for (size_t from = 0;;) {
      PortElement el = FindPortElement(text, ActionAt(i).port, from);
      if (!el.found) break;
      if (el.closed) cuts.push_back(ElementCutRange(text, el));
      from = el.closed ? el.end : el.match + 1;
    }
  return CutRanges(text, cuts);
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
std::string Edited(const InputMapping& m, std::string text) {
  EXPECT_EQ(EditDefaultCfgText(m, text), CfgEdit::Write);
  return text;
}

}  // namespace

TEST(DefaultCfgText, ReadEditOddElementsAndTheDefaultSystemsPlace) {
  InputMapping m = Loaded(Cfg(Port("P1_BUTTON1", "KEYCODE_LCONTROL OR JOYCODE_1_BUTTON1 OR KEYCODE_LSHIFT KEYCODE_A") +
                              Port("P1_BUTTON2", "KEYCODE_A OR KEYCODE_B") + Port("P1_BUTTON3", "NONE") +
                              Port("P1_BUTTON4", "\t OR  OR JOYCODE_2_HAT1UP\r\n OR ")));
  for (auto [i, binding] : {std::pair{4, "LCONTROL|1_BUTTON1|KEYCODE_LSHIFT KEYCODE_A"}, {5, "A||KEYCODE_B"},
                             {6, "||"}, {7, "|2_HAT1UP|"}, {0, "-"}})
    EXPECT_EQ(Described(m, i), binding) << i;
  std::string text = Edited(m, "");
  EXPECT_TRUE(Has(text, "KEYCODE_LCONTROL OR JOYCODE_1_BUTTON1 OR KEYCODE_LSHIFT KEYCODE_A\n") &&
              Has(text, Port("P1_BUTTON3", "NONE")));

  std::string long_key = "KEYCODE_" + std::string(39, 'K');  // 47 bytes: too long for the key field
  std::string seq = long_key;
  for (int n = 0; n < 40; ++n) seq += " OR JOYCODE_1_BUTTON" + std::to_string(n);
  InputMapping cut = Loaded(Cfg(Port("P1_BUTTON1", seq)));
  EXPECT_EQ(cut.bindings[4].key + "|" + cut.bindings[4].pad + "|" + cut.bindings[4].extra.substr(0, 47),
            "|1_BUTTON0|" + long_key);
  for (const std::string& code : PadCodeList(cut, 4)) EXPECT_EQ(code.rfind("1_BUTTON", 0), 0u) << code;

  text = Edited(FromText("bind=P1_BUTTON1\tA</newseq>\t1_BUTTON1\tKEYCODE_B OR <x>\t0\n"), "");
  EXPECT_TRUE(Has(text, "JOYCODE_1_BUTTON1 OR KEYCODE_B\n") && !Has(text, "<x>") && !Has(text, "A</newseq>"));

  // Self-closing ports swallow nothing, unclosed ones stay, none without a standard sequence is read; of two, the first.
  std::string odd = Cfg("            <port type=\"P1_BUTTON1\" />\n" + Port("UI_CONFIGURE", "KEYCODE_TAB") +
                        "            <port type=\"P1_BUTTON2\"><newseq type=\"increment\">KEYCODE_Q</newseq></port>\n" +
                        Port("P1_BUTTON3", "KEYCODE_1") + Port("P1_BUTTON3", "KEYCODE_2"));
  InputMapping read = Loaded(odd);
  EXPECT_EQ(Described(read, 4) + Described(read, 5) + Described(read, 6), "--1||");
  odd = Edited(read, odd);
  EXPECT_TRUE(Has(odd, Port("UI_CONFIGURE", "KEYCODE_TAB")) && !Has(odd, "P1_BUTTON1") && !Has(odd, "P1_BUTTON2") &&
              !Has(odd, "KEYCODE_2"));  // the duplicate went too
  EXPECT_EQ(odd.find("P1_BUTTON3"), odd.rfind("P1_BUTTON3"));

  InputMapping start = Loaded("", 20, "1");
  const std::string entry = Port("START1", "KEYCODE_1 OR JOYCODE_1_START");
  const std::string pong = "<mameconfig version=\"10\">\n    <system name=\"pong\" />\n";
  EXPECT_EQ(Edited(start, pong + "</mameconfig>\n"),
            pong + "    <system name=\"default\">\n        <input>\n" + entry + "        </input>\n    </system>\n</mameconfig>\n");
  EXPECT_TRUE(Has(Edited(start, "<mameconfig version=\"10\">\n    <system name=\"default\">\n    </system>\n</mameconfig>\n"),
                  "        <input>\n" + entry + "        </input>\n    </system>"));

  InputMapping empty, one;  // with nothing present nothing is created; an empty file is no reason to write
  one.bindings[0].present = true;
  std::string truncated = "<mameconfig version=\"10\"><system name=\"default\"><input><port type=\"P1_BUTTON1\">"
                          "<newseq type=\"standard\">KEYCODE_A";
  EXPECT_EQ(Described(Loaded(truncated), 4), "-");
  for (auto [mapping, text, result] : std::initializer_list<std::tuple<const InputMapping*, std::string, CfgEdit>>{
           {&one, truncated, CfgEdit::Broken}, {&start, "<mameconfig version=\"10\">\n", CfgEdit::Broken},
           {&empty, "", CfgEdit::NothingKept},
           {&empty, "<mameconfig version=\"10\">\n</mameconfig>\n", CfgEdit::NothingDone}})
    EXPECT_EQ(EditDefaultCfgText(*mapping, text), result) << text;
}

TEST(DefaultCfgWrite, FailuresTheOneBackupAndOnlyTheLauncherPortsChange) {
  ControlsEnv env;
  InputMapping& m = TheInputMapping() = LauncherDefaults();
  ASSERT_TRUE(WriteInputMapping(m, env.Files()));  // no file yet: a whole one
  const std::string first = ReadTestFile(env.CfgPath());
  EXPECT_TRUE(!m.dirty && first.rfind("<?xml version=\"1.0\"?>\n<mameconfig version=\"10\">\n", 0) == 0 &&
              Has(first, Port("SERVICE", "KEYCODE_F2")));
  WriteTestFile(env.CfgPath(), "sentinel");  // not dirty: the file is not touched at all
  EXPECT_TRUE(WriteInputMapping(m, env.Files()) && ReadTestFile(env.CfgPath()) == "sentinel");

  // A file the edit cannot place its entries in stays, and the mapping stays dirty.
  std::string broken = "<mameconfig version=\"10\">\n    <system name=\"default\">\n" + Port("P1_BUTTON1", "KEYCODE_Q");
  WriteTestFile(env.CfgPath(), broken);
  LoadInputMapping(m, env.Files());
  SetBindingKey(m, 4, "E");
  EXPECT_TRUE(!WriteInputMapping(m, env.Files()) && m.dirty && ReadTestFile(env.CfgPath()) == broken);
  std::filesystem::remove_all(env.dir.File("cfg"));  // nor can one that cannot be written: its folder is a file
  WriteTestFile(env.dir.File("cfg"), "");
  EXPECT_TRUE(!WriteInputMapping(m, env.Files()) && m.dirty);

  ControlsEnv fresh;  // no file, no copy; the first copy is never replaced
  BackupDefaultCfg();
  EXPECT_FALSE(TestFileExists(fresh.CfgPath() + ".korvo-backup"));
  for (const char* content : {"first", "second"}) WriteTestFile(fresh.CfgPath(), content), BackupDefaultCfg();
  EXPECT_EQ(ReadTestFile(fresh.CfgPath() + ".korvo-backup"), "first");

  for (const char* name : {"default_first_run.cfg", "default_with_ports.cfg"}) {
    SCOPED_TRACE(name);
    ControlsEnv env;
    const std::string original = ReadTestFile(SourcePath(std::string("tests/fixtures/cfg/") + name));
    WriteTestFile(env.CfgPath(), original);
    InputMapping& m = TheInputMapping();
    LoadInputMapping(m, env.Files());
    SetBindingKey(m, 24, "F3"), SetBindingPad(m, 0, "2_HAT1UP"), SetBindingPad(m, 4, "1_BUTTON7");
    ASSERT_TRUE(WriteInputMapping(m, env.Files()));

    // Everything but the launcher's ports stays byte for byte; beside a self-closing default system a full one is added.
    std::string expected_rest = WithoutLauncherPorts(original), rest = WithoutLauncherPorts(ReadTestFile(env.CfgPath()));
    if (Has(expected_rest, "<system name=\"default\">"))
      EXPECT_EQ(rest, expected_rest);
    else
      EXPECT_EQ(rest.rfind(expected_rest.substr(0, expected_rest.find("</mameconfig>")), 0), 0u);
    InputMapping reread;  // that rewriting it changes nothing is checked on these files by the fuzz corpus
    LoadInputMapping(reread, env.Files());
    EXPECT_EQ(SerializeMapping(reread), SerializeMapping(m));
  }
  // CRLF files keep their line ends outside the launcher's own entries.
  std::string text = Cfg(Port("P3_BUTTON1", "KEYCODE_Z", "\r\n") + Port("P1_BUTTON1", "KEYCODE_Q", "\r\n"), "\r\n");
  EXPECT_EQ(Edited(Loaded(text, 4, "E"), text), Cfg(Port("P3_BUTTON1", "KEYCODE_Z", "\r\n") + Port("P1_BUTTON1", "KEYCODE_E"), "\r\n"));
}

TEST(BindingVersion, MigrationUpdatesOldLayoutsFirstRunUpgradesAndTheUsersFileIsKept) {
  ControlsEnv env;
  // An old stock mapping: an arrow key with only the hat, LCONTROL on button 1, RT on the old Z axis, a user's key
  // and a user's own pad button, which stay.
  InputMapping m = FromText("bind=P1_JOYSTICK_UP\tUP\t1_HAT1UP\t\t0\nbind=P1_JOYSTICK_DOWN\t\t1_YAXIS_DOWN_SWITCH\t\t0\n"
                            "bind=P1_BUTTON1\tLCONTROL\t1_BUTTON1\t\t0\nbind=P1_BUTTON2\tX\t1_BUTTON8\t\t0\n"
                            "bind=P1_BUTTON3\tSPACE\t1_RZAXIS_NEG_SWITCH\t\t0\nbind=P1_BUTTON6\tQ\t1_BUTTON6\t\t0\n"
                            "bind=P2_BUTTON1\tU\t2_BUTTON1\tJOYCODE_2_BUTTON9\t0\n");
  m.dirty = false;
  ASSERT_TRUE(MigrateBindings(m) && m.dirty);
  // Without a key before but with a pad code, the default key joins it; extra pad codes are left alone.
  for (auto [i, binding] : {std::pair{0, "W|1_HAT1UP|JOYCODE_1_YAXIS_UP_SWITCH"}, {1, "S|1_YAXIS_DOWN_SWITCH|JOYCODE_1_HAT1DOWN"},
                             {4, "4PAD|1_BUTTON3|"}, {5, "X|1_BUTTON8|"}, {6, "6PAD|1_BUTTON6|"},
                             {9, "Q|1_SLIDER2_NEG_SWITCH|"}, {14, "U|2_BUTTON1|JOYCODE_2_BUTTON9"},
                             {24, "F2||"}})  // absent ones get the defaults
    EXPECT_EQ(Described(m, i), binding) << i;

  Settings s;
  ResetSettings(s);
  InputMapping first;  // first run without MAME: only the mapping in memory is reset
  EXPECT_FALSE(UpgradeBindingVersion(first, env.Files(), s, true, false) || s.binding_version != 0 ||
               !first.bindings[0].present || TestFileExists(env.CfgPath()));
  // First run with MAME, as the launcher starts: backup of an existing default.cfg, defaults written, version saved.
  const std::string users = ReadTestFile(SourcePath("tests/fixtures/cfg/default_with_ports.cfg"));
  WriteTestFile(env.CfgPath(), users);
  AppState& app = App();
  app.settings = s, app.first_run = true, app.settings_path = env.dir.File("korvo-settings.cfg");
  RunBindingVersionStep(true);
  app.first_run = false, s = app.settings;
  EXPECT_TRUE(s.binding_version == kCurrentBindingVersion && ReadTestFile(env.CfgPath() + ".korvo-backup") == users &&
              Has(ReadTestFile(env.CfgPath()), "KEYCODE_4PAD OR JOYCODE_1_BUTTON3") &&
              Has(ReadTestFile(app.settings_path), "binding_version=" + std::to_string(kCurrentBindingVersion)));
  InputMapping later, broken, first_broken;
  s.binding_version = 4;  // later runs: an up-to-date file needs no write but still moves the version
  const std::string before = ReadTestFile(env.CfgPath());
  ASSERT_TRUE(UpgradeBindingVersion(later, env.Files(), s, false, true));
  EXPECT_TRUE(s.binding_version == kCurrentBindingVersion && ReadTestFile(env.CfgPath()) == before);
  s.binding_version = 3;  // a failed write keeps the old version so the step runs again, on a first run too
  WriteTestFile(env.CfgPath(), "<mameconfig version=\"10\">\n");
  EXPECT_FALSE(UpgradeBindingVersion(broken, env.Files(), s, false, true) || s.binding_version != 3);
  EXPECT_FALSE(UpgradeBindingVersion(first_broken, env.Files(), s, true, true) || s.binding_version != 3);
}

TEST(GameCfgAndProfiles, LauncherInputsLeaveAGameFileAndProfilesAreSafelyNamedAndKept) {
  ControlsEnv env;
  const std::string with_inputs = ReadTestFile(SourcePath("tests/fixtures/cfg/pong_with_inputs.cfg"));
  const std::string path = env.dir.File("cfg/pong.cfg");
  // Setting off, a name that would leave the cfg folder, a file with nothing to take out: untouched, no backup.
  for (auto [setting, name, file, text] : std::initializer_list<std::tuple<int, const char*, std::string, std::string>>{
           {0, "pong", path, with_inputs}, {1, "../pong", env.dir.File("pong.cfg"), with_inputs},
           {1, "breakout", env.dir.File("cfg/breakout.cfg"), ReadTestFile(SourcePath("tests/fixtures/cfg/pong_dip_only.cfg"))}}) {
    WriteTestFile(file, text);
    App().settings.mapping_overrides_game_cfg = setting;
    StripGameCfgInputs(name);
    EXPECT_TRUE(ReadTestFile(file) == text && !TestFileExists(file + ".korvo-backup")) << name;
  }
  StripGameCfgInputs("pong");  // the setting on
  std::string expected = with_inputs;
  size_t start = expected.find("            <port tag=\":IN0\" type=\"COIN1\"");
  ASSERT_NE(start, std::string::npos);
  expected.erase(start, expected.find("</port>\n", start) + 8 - start);
  EXPECT_TRUE(ReadTestFile(path) == expected && ReadTestFile(path + ".korvo-backup") == with_inputs);
  // A launcher port without a sequence, and other ports with sequences, stay.
  const std::string kept = "<port tag=\":IN1\" type=\"P1_BUTTON1\" mask=\"1\" defvalue=\"0\" value=\"1\"></port>\r\n"
                           "<port tag=\":IN1\" type=\"P3_BUTTON1\"><newseq type=\"standard\">KEYCODE_A</newseq></port>\r\n"
                           "<port tag=\":IN1\" type=\"START1\">";
  std::string text = kept;
  EXPECT_FALSE(StripGameCfgText(text) || text != kept);
  text = kept + "<port tag=\":IN2\" type=\"P1_JOYSTICK_UP\"><newseq type=\"standard\">KEYCODE_UP</newseq></port>";
  EXPECT_TRUE(StripGameCfgText(text) && text == kept);  // the first of the launcher's inputs too

  std::string wide;  // 60 characters of two bytes each stay whole characters
  for (int i = 0; i < 70; ++i) wide += "é";
  // Names Windows would open as a device, whatever follows the first dot, get a mark.
  for (auto [name, saved] : std::vector<std::pair<std::string, std::string>>{
           {"  my:pad/1.. ", "mypad1"}, {std::string(70, 'x'), std::string(60, 'x')}, {"...", ""},
           {std::string(59, 'x') + " yz", std::string(59, 'x')}, {"a\tb\x01<>|?*\"c", "abc"}, {"pad . .", "pad"},
           {"con.x", "con_.x"}, {"aux .txt", "aux_ .txt"}, {"CONIN$", "CONIN$_"}, {"COM0", "COM0_"}, {"con..", "con_"},
           {"COM\xC2\xB9", "COM\xC2\xB9_"}, {"lpt\xC2\xB3.y", "lpt\xC2\xB3_.y"}, {"console.x", "console.x"},
           {"COM10", "COM10"}, {"com.x", "com.x"}, {"nul." + std::string(56, 'x'), "nul_." + std::string(55, 'x')},
           {"Ärger über Über", "Ärger über Über"}, {"COMA", "COMA"}, {wide, wide.substr(0, 120)}}) {
    SanitizeProfileName(name);
    EXPECT_EQ(name, saved);
  }

  InputMapping m = LauncherDefaults();
  ASSERT_TRUE(SaveProfile("Pad", m));
  EXPECT_TRUE(ProfileExists("Pad") && !ProfileDiffersFromMapping("Pad", m));
  InputMapping loaded = FromText("bind=P1_BUTTON1\tKEYCODE_I\tJOYCODE_1_BUTTON3\t\t0\n");  // full MAME names read too
  EXPECT_TRUE(Described(loaded, 4) == "I|1_BUTTON3|" && ProfileDiffersFromMapping("Pad", loaded));

  ASSERT_TRUE(RenameProfile("Pad", "PAD") && SaveProfile("arcade", m) && SaveProfile("Z", m));
  EXPECT_FALSE(RenameProfile("PAD", "arcade"));  // never over another profile
  for (std::string odd : {std::string(".cfg"), std::string(61, 'n') + ".cfg", std::string("notes.txt")}) WriteTestFile(env.dir.File("profiles/" + odd), "");
  std::filesystem::create_directories(env.dir.File("profiles/folder.cfg"));
  EXPECT_EQ(ListProfiles(), (std::vector<std::string>{"arcade", "PAD", "Z"}));  // a one-letter name too
  EXPECT_EQ(ListProfiles(2), (std::vector<std::string>{"arcade", "PAD"}));
  EXPECT_TRUE(!ReadProfile("folder") && DeleteProfile("PAD"));
  EXPECT_FALSE(ProfileExists("PAD") || ReadProfile("PAD") || !ProfileDiffersFromMapping("PAD", m));
}

