// The safe save: whichever step fails, the old settings file stays byte for
// byte as it was and no temporary file is left behind.
#include <gtest/gtest.h>

#include "profile_test_support.h"
#include "settings/settings_table.h"

namespace {

enum class step { none, create, write, flush, close, replace, read };
step failing = step::none;

// The real files, with one step made to fail.
const profile_file_ops& real = profile_platform_files;
const profile_file_ops faulty = {
    [](const char* p, heap_text& b) { return failing == step::read ? 0 : real.read(p, b); },
    real.exists,
    [](const char* p, heap_text& t) -> void* { return failing == step::create ? nullptr : real.create_temp(p, t); },
    [](void* f, const char* d, std::size_t n) {
      if (failing != step::write) return real.write(f, d, n);
      real.write(f, d, n / 2);  // half written, then the disk is full
      return 0;
    },
    [](void* f) { return failing == step::flush ? 0 : real.flush(f); },
    [](void* f) { return real.close(f) != 0 && failing != step::close ? 1 : 0; },
    [](const char* from, const char* to) { return failing == step::replace ? 0 : real.replace(from, to); },
    real.remove,
};

const char old_text[] = "# kept\r\n[score_window]\r\ntitle=\"Old\"\r\n";

TEST(ProfileSave, AFailedStepLeavesTheOldFile) {
  for (step s : {step::create, step::write, step::flush, step::close, step::replace}) {
    scratch_dir dir;
    const std::string ini = dir.file("dsv_view.ini");
    write_bytes(ini, old_text);
    load_text("[score_window]\ntitle=\"" + std::string(5000, 'n') + "\"");
    failing = s;
    EXPECT_EQ(profile_save_with(ini.c_str(), faulty), 0) << static_cast<int>(s);
    EXPECT_EQ(read_bytes(ini), old_text) << static_cast<int>(s);
    EXPECT_EQ(dir.listing(), "dsv_view.ini\n") << static_cast<int>(s);
    // The document is still whole, and the next save goes through.
    failing = step::none;
    const std::string text = rendered();
    EXPECT_EQ(profile_save_with(ini.c_str(), faulty), 1);
    EXPECT_EQ(read_bytes(ini), text);
    EXPECT_EQ(dir.listing(), "dsv_view.ini\n");
    profile_free();
  }
}

TEST(ProfileSave, AnUnreadableFileIsNotReplacedAtShutDown) {
  scratch_dir dir;
  const std::string ini = dir.file("dsv_view.ini");
  write_bytes(ini, old_text);
  failing = step::read;
  EXPECT_EQ(settings_save_to_file(ini.c_str(), faulty), 0);
  EXPECT_EQ(read_bytes(ini), old_text);
  EXPECT_FALSE(profile_document.present);
  // A file that is not there is created.
  const std::string fresh = dir.file("fresh.ini");
  EXPECT_EQ(settings_save_to_file(fresh.c_str(), faulty), 1);
  EXPECT_NE(read_bytes(fresh).find("[reslut_window]"), std::string::npos);
  failing = step::none;
}

TEST(ProfileSave, AFileUnreadableAtStartUpGetsOnlyWhatChanged) {
  scratch_dir dir;
  const std::string ini = dir.file("dsv_view.ini");
  const std::string user = "# mine\r\n[score_window]\r\ntitle=\"Club\"\r\nleft=40\r\n";
  write_bytes(ini, user);
  const settings_rect area = {0, 0, 1920, 1040};
  failing = step::read;  // held by another program, a read error, or no memory for the document
  settings_load_from_file(ini.c_str(), &area, faulty);
  failing = step::none;
  EXPECT_STREQ(score_settings.title, "");
  // Nothing changed while the views ran: the file is not touched.
  EXPECT_EQ(settings_save_to_file(ini.c_str(), faulty), 0);
  EXPECT_EQ(read_bytes(ini), user);
  // A view moved: only its place reaches the file.
  score_settings.geometry.top = 25;
  EXPECT_EQ(settings_save_to_file(ini.c_str(), faulty), 1);
  EXPECT_EQ(read_bytes(ini), "# mine\r\n\r\n[score_window]\r\ntitle=\"Club\"\r\nleft=40\r\ntop=25\r\n\r\n");
  // Read at the next start, the file gives everything as before.
  settings_load_from_file(ini.c_str(), &area, faulty);
  EXPECT_STREQ(score_settings.title, "Club");
  EXPECT_EQ(score_settings.geometry.left, 40);
  EXPECT_EQ(score_settings.geometry.top, 25);
  EXPECT_EQ(settings_save_to_file(ini.c_str(), faulty), 1);
  EXPECT_NE(read_bytes(ini).find("[reslut_window]"), std::string::npos);
}

}  // namespace
