// The shipped DLL as the host's loader sees it: a 32-bit image with exactly the
// ten exports, importing only Windows' own DLLs, with ASLR and DEP enabled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct pe_image {
  std::vector<unsigned char> bytes;
  uint32_t pe = 0;
  uint16_t machine = 0;
  uint16_t dll_characteristics = 0;
  uint32_t export_rva = 0, import_rva = 0;
  struct section {
    uint32_t rva, size, raw;
  };
  std::vector<section> sections;

  uint16_t u16(std::size_t at) const { return static_cast<uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8); }
  uint32_t u32(std::size_t at) const { return u16(at) | static_cast<uint32_t>(u16(at + 2)) << 16; }
  std::size_t offset(uint32_t rva) const {
    for (const section& s : sections) {
      if (rva >= s.rva && rva < s.rva + s.size) return rva - s.rva + s.raw;
    }
    throw std::runtime_error("rva outside the image");
  }
  std::string text(uint32_t rva) const { return reinterpret_cast<const char*>(&bytes.at(offset(rva))); }

  explicit pe_image(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (bytes.size() < 0x40) return;
    pe = u32(0x3C);
    machine = u16(pe + 4);
    const uint16_t section_count = u16(pe + 6);
    const uint16_t optional_size = u16(pe + 20);
    const std::size_t opt = pe + 24;
    dll_characteristics = u16(opt + 70);
    export_rva = u32(opt + 96);
    import_rva = u32(opt + 104);
    for (uint16_t i = 0; i < section_count; ++i) {
      std::size_t s = opt + optional_size + 40u * i;
      sections.push_back({u32(s + 12), std::max(u32(s + 8), u32(s + 16)), u32(s + 20)});
    }
  }

  std::vector<std::string> exports() const {
    std::vector<std::string> names;
    std::size_t dir = offset(export_rva);
    uint32_t count = u32(dir + 24), name_table = u32(dir + 32);
    for (uint32_t i = 0; i < count; ++i) names.push_back(text(u32(offset(name_table) + 4 * i)));
    return names;
  }

  std::vector<std::string> imports() const {
    std::vector<std::string> names;
    for (std::size_t d = offset(import_rva);; d += 20) {
      uint32_t name = u32(d + 12);
      if (name == 0) break;
      std::string n = text(name);
      std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return std::tolower(c); });
      names.push_back(n);
    }
    return names;
  }
};

std::string product_path() {
  const char* env = std::getenv("DSV_PRODUCT_DLL");
  return env != nullptr ? env : std::string(DSV_SOURCE_DIR) + "/build/win32/bin/dsv_view.dsv";
}

class ProductImage : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream probe(product_path());
    if (!probe) {
      if (std::getenv("DSV_REQUIRE_PRODUCT") != nullptr) FAIL() << "no DLL at " << product_path();
      GTEST_SKIP() << "the win32 build has not made " << product_path();
    }
  }
};

TEST_F(ProductImage, IsA32BitImageWithAslrAndDep) {
  pe_image image(product_path());
  EXPECT_EQ(image.machine, 0x014C);  // IMAGE_FILE_MACHINE_I386
  EXPECT_NE(image.dll_characteristics & 0x0040, 0);  // DYNAMIC_BASE
  EXPECT_NE(image.dll_characteristics & 0x0100, 0);  // NX_COMPAT
}

TEST_F(ProductImage, ExportsExactlyTheTenEntryPoints) {
  pe_image image(product_path());
  std::vector<std::string> names = image.exports();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"dsv_result", "dsv_result_initialize", "dsv_result_property",
                                             "dsv_socre", "dsv_socre_initialize", "dsv_socre_property", "dsv_view",
                                             "dsv_view_initialize", "dsv_view_property", "get_plugin_info"}));
}

TEST_F(ProductImage, ImportsOnlyWindowsOwnLibraries) {
  pe_image image(product_path());
  // winmm: the caller plays its sounds through Windows' own audio.
  const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll",
                                        "winmm.dll"};
  for (const std::string& name : image.imports()) EXPECT_TRUE(system.count(name) == 1) << name;
}

}  // namespace
