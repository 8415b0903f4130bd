#include <gtest/gtest.h>

#include "launch/captured_run.h"
#include "options/machine_info.h"
#include "support/test_support.h"

namespace {
std::string Recorded(const std::string& set) {
  return ReadTestFile(SourcePath("tests/fixtures/mame0251/listxml/" + set + ".xml"));
}

std::string Describe(const DipSwitch& sw) {
  std::string text = sw.name + "|" + sw.tag + "|" + std::to_string(sw.mask) + "|" + std::to_string(sw.default_value) + ":";
  for (const DipValue& v : sw.values) text += " " + v.name + "=" + std::to_string(v.value);
  return text;
}

// Bios sets ("*" the default), then switches, "; " between them.
std::string DescribeAll(const MachineInfo& info) {
  std::string out = info.listed ? "" : "unlisted";
  for (const BiosSet& b : info.biossets) out += b.name + (b.is_default ? "*" : "") + "=" + b.description + "; ";
  for (const DipSwitch& sw : info.switches) out += Describe(sw) + "; ";
  return out;
}
}  // namespace

TEST(MachineListing, RecordedAnswersGiveTheirSwitchesAndBiosSets) {
  // ZN-2: the listing names the first switch's values twice; each shows once.
  EXPECT_EQ(DescribeAll(ParseMachineListing(Recorded("sfex2"), "sfex2")),
            "Unknown|DSW|1|1: Off=1 On=0; Service Mode|DSW|2|2: Off=2 On=0; Unknown|DSW|4|4: Off=4 On=0; "
            "Unknown|DSW|8|8: Off=8 On=0; ");
  MachineInfo strgchmp = ParseMachineListing(Recorded("strgchmp"), "strgchmp");
  ASSERT_EQ(strgchmp.biossets.size(), 3u);
  EXPECT_EQ(strgchmp.biossets[1].name + "|" + strgchmp.biossets[1].description, "gchgchmp|Found on Gachagachamp");
  ASSERT_EQ(strgchmp.switches.size(), 4u);
  EXPECT_EQ(Describe(strgchmp.switches[3]), "Start Up Device|IN1|8|0: CD-ROM Drive=8 Flash ROM=0");
  EXPECT_EQ(ParseMachineListing(Recorded("ts2"), "ts2").biossets.size(), 2u);
  EXPECT_FALSE(ParseMachineListing(Recorded("unknown"), "nosuchset").listed);
}

// Only the named machine counts (no device, no longer name); entities decoded once; damage keeps what was read.
TEST(MachineListing, OnlyTheNamedMachineCountsAndDamageKeepsWhatIsThere) {
  const std::string listing =
      "<mame>\n<machine name=\"devicex\" isdevice=\"yes\"><biosset name=\"dev\" description=\"device\"/>"
      "<dipswitch name=\"Device\" tag=\"DEV\" mask=\"1\"><dipvalue name=\"a\" value=\"0\"/></dipswitch></machine>\n"
      "<machine name=\"game2\"><dipswitch name=\"Other\" tag=\"DSW\" mask=\"2\"/></machine>\n<machine name=\"game\" x=\"y\">\n"
      "  <biosset name=\"eu\" description=\"Europe &amp; Asia\" default=\"yes\"/>\n"
      "  <biosset name=\"jp\" description=\"&quot;Japan&quot;\"/><biossets/><dipswitches/>\n"
      "  <dipswitch name=\"Lives &amp;lt; 3\" tag=\":DSW\" mask=\"3\">\n    <diplocation name=\"SW1\" number=\"1\"/>\n"
      "    <dipvalue name=\"1\" value=\"0\"/>\n    <dipvalue name=\"2\" value=\"1\" default=\"yes\"/>\n"
      "    <dipvalue name=\"2 again\" value=\"1\"/>\n    <dipvalue name=\"&lt;bad &amp;unknown; ref&gt;\" value=\"2\"/>\n"
      "  </dipswitch>\n</machine>\n<machine name=\"gamex\"><dipswitch name=\"After\" tag=\"DSW\" mask=\"4\"/></machine>\n"
      "</mame>\n";
  EXPECT_EQ(DescribeAll(ParseMachineListing(listing, "game")),
            "eu*=Europe & Asia; jp=\"Japan\"; Lives &lt; 3|:DSW|3|1: 1=0 2=1 <bad &unknown; ref>=2; ");
  EXPECT_EQ(DescribeAll(ParseMachineListing(listing, "game2")), "Other|DSW|2|0:; ");
  EXPECT_EQ(DescribeAll(ParseMachineListing(listing, "gam")) + DescribeAll(ParseMachineListing(listing, "")) +
                DescribeAll(ParseMachineListing("garbage <<<>>>", "game")), "unlistedunlistedunlisted");
  // Cut off inside a tag; a value before any switch; a mask beyond 32 bits.
  EXPECT_EQ(DescribeAll(ParseMachineListing(
                "<machine name=\"game\"><dipvalue name=\"lost\" value=\"1\"/><dipswitch name=\"A\" tag=\"T\" "
                "mask=\"99999999999\"><dipvalue name=\"x\" value=\"1\" default=\"yes\"/><dipvalue name=\"y\" val",
                "game")),
            "A|T|0|1: x=1; ");
}

TEST(MachineInfoMemory, AsksOncePerSetAlsoWhenItFailed) {
  static int calls;
  static std::string last_arguments;
  calls = 0;
  auto failing = [](const std::string& arguments, TextBuffer& out, uint32_t limit) {
    ++calls;
    last_arguments = arguments;
    EXPECT_EQ(limit, 30000u);
    out = "partial";
    return static_cast<int>(kCapturedTimedOut);
  };
  MachineInfoCache cache;
  EXPECT_FALSE(cache.Get("sfex2", failing).listed || cache.Get("sfex2", failing).listed);
  EXPECT_EQ(last_arguments, "-listxml sfex2");
  // Names that would change the command line, or list every machine, are not asked.
  for (std::string bad : std::vector<std::string>{"", "sfex2 -rompath x", "\"q\"", "../x", "Sfex2", std::string(65, 'a')})
    EXPECT_FALSE(cache.Get(bad, failing).listed) << bad;
  EXPECT_EQ(calls, 1);
  cache.Get(std::string(64, 'a'), failing);  // the longest name asked
  EXPECT_EQ(calls, 2);

  auto answering = [](const std::string&, TextBuffer& out, uint32_t) {
    ++calls;
    out = Recorded("tekken3");
    return 0;
  };
  EXPECT_TRUE(cache.Get("tekken3", answering).switches.size() == 2u && cache.Get("tekken3", failing).switches.size() == 2u);
  EXPECT_EQ(calls, 3);
}
