// The shader texts go through an HLSL front end here, so a syntax or type
// fault shows up without a graphics card or Windows.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "filterwin/filter_shaders.h"
#include "support/test_support.h"

namespace {
// Runs glslangValidator in HLSL mode on one entry point; returns its output on failure.
std::string CompileError(const std::string& path, const char* stage, const char* entry) {
  std::string log = path + "." + entry + ".log";
  std::string command = std::string("glslangValidator -D -V -S ") + stage + " -e " + entry + " -o /dev/null '" +
                        path + "' >'" + log + "' 2>&1";
  int rc = std::system(command.c_str());
  return rc == 0 ? "" : "exit " + std::to_string(rc) + "\n" + ReadTestFile(log);
}
}  // namespace

TEST(FilterShaderText, EveryEntryPointCompilesAndTheConstantBlockMatchesTheRecord) {
  ASSERT_EQ(std::system("command -v glslangValidator >/dev/null"), 0)
      << "glslangValidator is missing (scripts/install-deps.sh installs glslang-tools)";
  TempDir dir;
  std::string scaling = dir.File("scaling.hlsl"), fxaa = dir.File("fxaa.hlsl");
  WriteTestFile(scaling, ScalingShaderText());
  WriteTestFile(fxaa, FxaaShaderText());
  for (auto [path, stage, entry] : {std::tuple{scaling, "vert", "vs_disp"}, {scaling, "frag", "ps_plain"},
                                    {scaling, "frag", "ps_xbrz"}, {fxaa, "frag", "ps_fxaa"}})
    EXPECT_EQ(CompileError(path, stage, entry), "") << entry;

  // Five four-float vectors in the record's order.
  std::string text = kFilterCommonShader;
  size_t at = text.find("cbuffer Disp : register(b0)"), last = at;
  ASSERT_NE(at, std::string::npos);
  for (const char* name : {"float4 params;", "float4 region;", "float4 xs;", "float4 ss;", "float4 rect;"}) {
    last = text.find(name, last);
    ASSERT_NE(last, std::string::npos) << name;
  }
  EXPECT_LT(last, text.find("};", at));
}
