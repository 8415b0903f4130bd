// Reading and writing the launcher's ports in MAME's default.cfg.
#include <gtest/gtest.h>

#include "controls/cfg_elements.h"
#include "controls/default_cfg.h"
#include "controls/game_cfg_inputs.h"
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

// The text with every launcher port element taken out, for comparing what
// must stay byte for byte.
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

InputMapping Loaded(const std::string& text) {
  InputMapping m;
  ReadDefaultCfgText(m, text);
  return m;
}

void ExpectSameBindings(const InputMapping& a, const InputMapping& b) {
  for (int i = 0; i < kActionCount; ++i) {
    SCOPED_TRACE(ActionAt(i).port);
    EXPECT_EQ(a.bindings[i].present, b.bindings[i].present);
    EXPECT_EQ(a.bindings[i].key, b.bindings[i].key);
    EXPECT_EQ(a.bindings[i].pad, b.bindings[i].pad);
    EXPECT_EQ(a.bindings[i].extra, b.bindings[i].extra);
  }
}

}  // namespace

TEST(DefaultCfgRead, SplitsAlternativesIntoKeyPadAndExtra) {
  InputMapping m = Loaded(Cfg(Port("P1_BUTTON1", "KEYCODE_LCONTROL OR JOYCODE_1_BUTTON1 OR KEYCODE_LSHIFT KEYCODE_A") +
                              Port("P1_BUTTON2", "KEYCODE_A OR KEYCODE_B") + Port("P1_BUTTON3", "NONE") +
                              Port("P1_BUTTON4", "\t OR  OR JOYCODE_2_HAT1UP\r\n OR ")));
  const ActionBinding& b1 = m.bindings[4];
  EXPECT_TRUE(b1.present);
  EXPECT_EQ(b1.key, "LCONTROL");
  EXPECT_EQ(b1.pad, "1_BUTTON1");
  EXPECT_EQ(b1.extra, "KEYCODE_LSHIFT KEYCODE_A");
  EXPECT_EQ(m.bindings[5].key, "A");
  EXPECT_EQ(m.bindings[5].extra, "KEYCODE_B");
  EXPECT_TRUE(m.bindings[6].present);
  EXPECT_EQ(RealSequence(m.bindings[6]), "");
  EXPECT_EQ(m.bindings[7].pad, "2_HAT1UP");
  EXPECT_FALSE(m.bindings[0].present);

  m.dirty = true;
  std::string text;
  ASSERT_EQ(EditDefaultCfgText(m, text), CfgEdit::Write);
  EXPECT_NE(text.find("KEYCODE_LCONTROL OR JOYCODE_1_BUTTON1 OR KEYCODE_LSHIFT KEYCODE_A\n"), std::string::npos);
  EXPECT_NE(text.find(Port("P1_BUTTON3", "NONE")), std::string::npos);
}

TEST(DefaultCfgRead, BrokenOrOddElementsLeaveTheActionAbsentAndTheirNeighboursAlone) {
  // A self-closing launcher port must not swallow the next element, an
  // unclosed one is neither read nor removed, a port without a standard
  // sequence is absent, and only the first duplicate is read.
  std::string text = Cfg("            <port type=\"P1_BUTTON1\" />\n" + Port("UI_CONFIGURE", "KEYCODE_TAB") +
                         "            <port type=\"P1_BUTTON2\"><newseq type=\"increment\">KEYCODE_Q</newseq></port>\n" +
                         Port("P1_BUTTON3", "KEYCODE_1") + Port("P1_BUTTON3", "KEYCODE_2"));
  InputMapping m = Loaded(text);
  EXPECT_FALSE(m.bindings[4].present);
  EXPECT_FALSE(m.bindings[5].present);
  EXPECT_EQ(m.bindings[6].key, "1");

  m.dirty = true;
  ASSERT_EQ(EditDefaultCfgText(m, text), CfgEdit::Write);
  EXPECT_NE(text.find(Port("UI_CONFIGURE", "KEYCODE_TAB")), std::string::npos);
  EXPECT_EQ(text.find("P1_BUTTON1"), std::string::npos);
  EXPECT_EQ(text.find("P1_BUTTON2"), std::string::npos);
  EXPECT_EQ(text.find("KEYCODE_2"), std::string::npos);  // the duplicate went too
  EXPECT_EQ(text.find("P1_BUTTON3"), text.rfind("P1_BUTTON3"));

  std::string truncated = "<mameconfig version=\"10\"><system name=\"default\"><input><port type=\"P1_BUTTON1\">"
                          "<newseq type=\"standard\">KEYCODE_A";
  EXPECT_FALSE(Loaded(truncated).bindings[4].present);
  InputMapping none;
  none.bindings[0].present = true;
  std::string before = truncated;
  EXPECT_EQ(EditDefaultCfgText(none, truncated), CfgEdit::Broken);
}

TEST(DefaultCfgRead, OverlongAlternativesAreCutAtTheFieldLimitsWithoutBreakingCodes) {
  std::string long_key = "KEYCODE_" + std::string(39, 'K');  // 47 bytes: too long for the key field
  std::string seq = long_key;
  for (int n = 0; n < 40; ++n) seq += " OR JOYCODE_1_BUTTON" + std::to_string(n);
  InputMapping m = Loaded(Cfg(Port("P1_BUTTON1", seq)));
  const ActionBinding& b = m.bindings[4];
  EXPECT_EQ(b.key, "");
  EXPECT_EQ(b.pad, "1_BUTTON0");
  EXPECT_LE(b.extra.size(), kExtraMax);
  EXPECT_EQ(b.extra.rfind(long_key, 0), 0u);
  for (const std::string& code : PadCodeList(m, 4)) EXPECT_EQ(code.rfind("1_BUTTON", 0), 0u) << code;
}

TEST(DefaultCfgWrite, CreatesAWholeFileAndIsStableWhenWrittenAgain) {
  ControlsEnv env;
  InputMapping& m = TheInputMapping();
  ResetToLauncherDefaults(m);
  ASSERT_TRUE(WriteInputMapping(m, env.Files()));
  EXPECT_FALSE(m.dirty);
  std::string first = ReadTestFile(env.CfgPath());
  EXPECT_EQ(first.rfind("<?xml version=\"1.0\"?>\n<mameconfig version=\"10\">\n", 0), 0u);
  EXPECT_NE(first.find(Port("SERVICE", "KEYCODE_F2")), std::string::npos);

  InputMapping again;
  LoadInputMapping(again, env.Files());
  ExpectSameBindings(again, m);
  again.dirty = true;
  ASSERT_TRUE(WriteInputMapping(again, env.Files()));
  EXPECT_EQ(ReadTestFile(env.CfgPath()), first);

  // Not dirty: the file is not touched at all.
  WriteTestFile(env.CfgPath(), "sentinel");
  EXPECT_TRUE(WriteInputMapping(again, env.Files()));
  EXPECT_EQ(ReadTestFile(env.CfgPath()), "sentinel");
}

TEST(DefaultCfgWrite, RealMameFilesChangeOnlyInTheLauncherPorts) {
  for (const char* name : {"default_first_run.cfg", "default_with_ports.cfg"}) {
    SCOPED_TRACE(name);
    ControlsEnv env;
    const std::string original = ReadTestFile(SourcePath(std::string("tests/fixtures/cfg/") + name));
    ASSERT_FALSE(original.empty());
    WriteTestFile(env.CfgPath(), original);

    InputMapping& m = TheInputMapping();
    LoadInputMapping(m, env.Files());
    InputMapping as_read = m;
    SetBindingKey(m, 24, "F3");
    SetBindingPad(m, 0, "2_HAT1UP");
    SetBindingPad(m, 4, "1_BUTTON7");
    ASSERT_TRUE(WriteInputMapping(m, env.Files()));
    const std::string written = ReadTestFile(env.CfgPath());

    // Everything but the launcher's ports is MAME's, byte for byte; the only
    // exception is a self-closing default system, beside which a full one is added.
    std::string expected_rest = WithoutLauncherPorts(original);
    std::string rest = WithoutLauncherPorts(written);
    if (expected_rest.find("<system name=\"default\">") != std::string::npos) {
      EXPECT_EQ(rest, expected_rest);
    } else {
      EXPECT_EQ(rest.rfind(expected_rest.substr(0, expected_rest.find("</mameconfig>")), 0), 0u);
    }
    InputMapping reread;
    LoadInputMapping(reread, env.Files());
    ExpectSameBindings(reread, m);
    // Ports the launcher did not touch come back as they were read.
    for (int i = 0; i < kActionCount; ++i)
      if (i != 24 && i != 0 && i != 4 && as_read.bindings[i].present) {
        EXPECT_EQ(RealSequence(reread.bindings[i]), RealSequence(as_read.bindings[i])) << ActionAt(i).port;
      }

    m.dirty = true;
    ASSERT_TRUE(WriteInputMapping(m, env.Files()));
    EXPECT_EQ(ReadTestFile(env.CfgPath()), written);
  }
}

TEST(DefaultCfgWrite, KeepsCrlfLineEndsOutsideItsOwnEntries) {
  std::string text = Cfg(Port("P3_BUTTON1", "KEYCODE_Z", "\r\n") + Port("P1_BUTTON1", "KEYCODE_Q", "\r\n"), "\r\n");
  InputMapping m = Loaded(text);
  SetBindingKey(m, 4, "E");
  ASSERT_EQ(EditDefaultCfgText(m, text), CfgEdit::Write);
  EXPECT_EQ(text, Cfg(Port("P3_BUTTON1", "KEYCODE_Z", "\r\n") +
                          Port("P1_BUTTON1", "KEYCODE_E"),
                      "\r\n"));
}

TEST(DefaultCfgWrite, FindsOrCreatesTheDefaultSystemAndInput) {
  InputMapping m;
  SetBindingKey(m, 20, "1");
  const std::string entry = Port("START1", "KEYCODE_1 OR JOYCODE_1_START");

  std::string other_system = "<mameconfig version=\"10\">\n    <system name=\"pong\" />\n</mameconfig>\n";
  ASSERT_EQ(EditDefaultCfgText(m, other_system), CfgEdit::Write);
  EXPECT_EQ(other_system, "<mameconfig version=\"10\">\n    <system name=\"pong\" />\n    <system name=\"default\">\n"
                          "        <input>\n" + entry + "        </input>\n    </system>\n</mameconfig>\n");

  std::string no_input = "<mameconfig version=\"10\">\n    <system name=\"default\">\n    </system>\n</mameconfig>\n";
  ASSERT_EQ(EditDefaultCfgText(m, no_input), CfgEdit::Write);
  EXPECT_NE(no_input.find("        <input>\n" + entry + "        </input>\n    </system>"), std::string::npos);

  std::string unended = "<mameconfig version=\"10\">\n    <system name=\"default\">\n";
  EXPECT_EQ(EditDefaultCfgText(m, unended), CfgEdit::Broken);
  std::string no_root_end = "<mameconfig version=\"10\">\n";
  EXPECT_EQ(EditDefaultCfgText(m, no_root_end), CfgEdit::Broken);

  // With nothing present nothing is created, and an empty file is no reason to write.
  InputMapping empty;
  std::string blank;
  EXPECT_EQ(EditDefaultCfgText(empty, blank), CfgEdit::NothingKept);
  std::string without_default = "<mameconfig version=\"10\">\n</mameconfig>\n";
  EXPECT_EQ(EditDefaultCfgText(empty, without_default), CfgEdit::NothingDone);
}

TEST(DefaultCfgWrite, AFailedWriteKeepsTheOldFileAndTheDirtyFlag) {
  ControlsEnv env;
  std::string broken = "<mameconfig version=\"10\">\n    <system name=\"default\">\n" + Port("P1_BUTTON1", "KEYCODE_Q");
  WriteTestFile(env.CfgPath(), broken);
  InputMapping& m = TheInputMapping();
  LoadInputMapping(m, env.Files());
  SetBindingKey(m, 4, "E");
  EXPECT_FALSE(WriteInputMapping(m, env.Files()));
  EXPECT_TRUE(m.dirty);
  EXPECT_EQ(ReadTestFile(env.CfgPath()), broken);
}

TEST(DefaultCfgWrite, MarkupInASequenceNeverReachesTheFile) {
  InputMapping m;
  ApplyMappingText(m, "bind=P1_BUTTON1\tA</newseq>\t1_BUTTON1\tKEYCODE_B OR <x>\t0\n");
  std::string text;
  ASSERT_EQ(EditDefaultCfgText(m, text), CfgEdit::Write);
  EXPECT_NE(text.find("JOYCODE_1_BUTTON1 OR KEYCODE_B\n"), std::string::npos);
  EXPECT_EQ(text.find("<x>"), std::string::npos);
  EXPECT_EQ(text.find("A</newseq>"), std::string::npos);
}

TEST(DefaultCfgWrite, ManyDuplicatesInAMegabyteFileAllGo) {
  std::string ports;
  for (int n = 0; n < 20000; ++n) ports += Port(n % 2 ? "P1_BUTTON1" : "P9_BUTTON1", "KEYCODE_" + std::to_string(n % 10));
  std::string text = Cfg(ports);
  ASSERT_GT(text.size(), 1u << 20);
  InputMapping m = Loaded(text);
  EXPECT_EQ(m.bindings[4].key, "1");
  ASSERT_EQ(EditDefaultCfgText(m, text), CfgEdit::Write);
  EXPECT_EQ(text.find("P1_BUTTON1"), text.rfind("P1_BUTTON1"));
}

TEST(DefaultCfgBackup, IsMadeOnceAndNeverReplaced) {
  ControlsEnv env;
  BackupDefaultCfg();
  EXPECT_FALSE(TestFileExists(env.CfgPath() + ".korvo-backup"));
  WriteTestFile(env.CfgPath(), "first");
  BackupDefaultCfg();
  WriteTestFile(env.CfgPath(), "second");
  BackupDefaultCfg();
  EXPECT_EQ(ReadTestFile(env.CfgPath() + ".korvo-backup"), "first");
}

TEST(DefaultCfgRead, FilesFullOfBrokenTagsStayQuickAndIntact) {
  // Tens of thousands of unclosed or empty launcher tags: every pass must
  // stay linear, and nothing of the file may go.
  std::string unclosed = "<mameconfig version=\"10\">\n    <system name=\"default\">\n        <input>\n";
  for (int n = 0; n < 20000; ++n) unclosed += "<port type=\"P1_BUTTON1\"><x>";
  unclosed += "        </input>\n    </system>\n</mameconfig>\n";
  InputMapping m = Loaded(unclosed);
  EXPECT_FALSE(m.bindings[4].present);
  SetBindingKey(m, 4, "Q");
  std::string text = unclosed;
  ASSERT_EQ(EditDefaultCfgText(m, text), CfgEdit::Write);
  EXPECT_TRUE(WithoutLauncherPorts(text) == unclosed);  // (no diff printout of a megabyte)
  EXPECT_EQ(Loaded(text).bindings[4].key, "Q");

  std::string game;
  for (int n = 0; n < 20000; ++n) game += "<port type=\"DIPSWITCH\" value=\"1\" />\n";
  const std::string expected = game;
  game += "<port type=\"COIN1\"><newseq type=\"standard\">KEYCODE_Q</newseq></port>\n";
  EXPECT_TRUE(StripGameCfgText(game));
  EXPECT_TRUE(game == expected);
}
