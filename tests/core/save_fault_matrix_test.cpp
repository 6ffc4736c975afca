// Every file the program writes, under every fault a save can meet: the old bytes stay intact
// or the new bytes are complete, no temporary file is left, and a refusal names the file.
#include <gtest/gtest.h>

#include <barrier>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "output/parts_list_writer.h"
#include "reference/base_parts_file.h"
#include "reference/prohibited_words_file.h"
#include "settings/settings.h"
#include "test_support.h"
#include "text/sjis.h"
#include "workspace.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// One kind of file the program saves. `save` writes version `v` (1 or 2) of its contents and
// returns what the user was told; `expected` gives the bytes version `v` leaves in each file.
struct Target {
  const char* label;
  std::vector<std::string> files;  // names in the folder, the first one named to the save
  std::function<void(const std::string& dir, int v, Notifier&)> save;
  std::function<std::vector<std::string>(int v)> expected;
};

std::vector<Target> targets() {
  auto parts_ws = [](const std::string& dir, int v, const std::string& name, int save_mode2) {
    Workspace ws;
    reset_settings_values(ws.settings);
    ws.settings.file_save_mode2 = save_mode2;
    PartsRow row;
    row[0] = "CR" + std::to_string(v);
    row[6] = "1";
    row[7] = std::string(kSupplied);
    PartsRow second = row;
    second[7] = std::string(kNotPurchased);
    PartsRow other = row;
    other[0] = "TB" + std::to_string(v);
    other[7] = std::string(kPurchased);
    ws.parts.assign({row, second, other});
    ws.current_file_name = dir + "/" + name;
    return ws;
  };
  return {
      {"Korvane.ini",
       {"Korvane.ini"},
       [](const std::string& dir, int v, Notifier& n) {
         Workspace ws;
         ws.settings_path = dir + "/Korvane.ini";
         reset_settings_values(ws.settings);
         ws.settings.pt_x = v;
         write_settings(ws, n);
       },
       [](int v) {
         Settings s;
         reset_settings_values(s);
         s.pt_x = v;
         return std::vector{format_settings(s)};
       }},
      {"base parts list",
       {"base.txt"},
       [](const std::string& dir, int v, Notifier& n) {
         BasePartsStore store;
         store.entries.resize(static_cast<std::size_t>(v));
         for (auto& e : store.entries) e.tag = "MC";
         save_base_parts(store, dir + "/base.txt", n);
       },
       [](int v) {
         BasePartsStore store;
         store.entries.resize(static_cast<std::size_t>(v));
         for (auto& e : store.entries) e.tag = "MC";
         return std::vector{format_base_parts(store)};
       }},
      {"prohibited words list",
       {"words.txt"},
       [](const std::string& dir, int v, Notifier& n) {
         save_prohibited_words(ProhibitedWords{{"W" + std::to_string(v)}}, dir + "/words.txt", n);
       },
       [](int v) { return std::vector{"W" + std::to_string(v) + "\r\n"}; }},
      {"one TXT",
       {"out.txt"},
       [parts_ws](const std::string& dir, int v, Notifier& n) {
         Workspace ws = parts_ws(dir, v, "out.txt", 1);
         write_parts_list(ws, n, {Selection::All, OutputNaming::Current});
       },
       [parts_ws](int v) {
         return std::vector{format_parts_list(parts_ws("", v, "", 1).parts, Selection::All, 7)};
       }},
      {"three CSV",
       {"out1.csv", "out2.csv", "out3.csv"},
       [parts_ws](const std::string& dir, int v, Notifier& n) {
         Workspace ws = parts_ws(dir, v, "out.csv", 0);
         write_three_files(ws, n, OutputNaming::Current);
       },
       [parts_ws](int v) {
         const PartsList parts = parts_ws("", v, "", 0).parts;
         return std::vector{format_parts_list(parts, Selection::Supplied, 7),
                            format_parts_list(parts, Selection::NotPurchased, 7),
                            format_parts_list(parts, Selection::Purchased, 7)};
       }},
  };
}

enum class Outcome { Refused, Written, EitherWhole };

struct Fault {
  const char* label;
  Outcome outcome;
  // Prepares the folder (and the seam) before the save; may run the save itself (two writers).
  std::function<void(const std::string& dir, const Target&, test::FaultyFileSystem&)> arrange;
  bool posix_only = false;
};

std::string old_bytes(const std::string& file) { return "old bytes of " + file + "\r\n"; }

std::set<std::string> listing(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    names.insert(fs::relative(e.path(), dir).generic_string());
  }
  return names;
}

std::vector<std::string> contents(const std::string& dir, const Target& t) {
  std::vector<std::string> all;
  for (const std::string& f : t.files) all.push_back(test::read_file(dir + "/" + f));
  return all;
}

std::vector<Fault> faults() {
  return {
      {"read-only file", Outcome::Refused,
       [](const std::string& dir, const Target& t, test::FaultyFileSystem&) {
         for (const auto& f : t.files) {
           fs::permissions(
               dir + "/" + f,
               fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
               fs::perm_options::remove);
         }
       }},
      {"disk full", Outcome::Refused,
       [](const std::string&, const Target&, test::FaultyFileSystem& seam) {
         seam.fail_write = true;
         seam.write_budget = 2;
       }},
      {"rename fails", Outcome::Refused,
       [](const std::string&, const Target&, test::FaultyFileSystem& seam) {
         seam.fail_replace = true;
       }},
      {"close fails", Outcome::Refused,
       [](const std::string&, const Target&, test::FaultyFileSystem& seam) {
         seam.fail_close = true;
       }},
      {"planted temporary files", Outcome::Written,
       [](const std::string& dir, const Target& t, test::FaultyFileSystem& seam) {
         // A link where a fixed temporary name would be, and names already taken by others.
         test::write_file(dir + "/victim", "victim");
         for (const auto& f : t.files) {
#ifndef _WIN32
           fs::create_symlink(dir + "/victim", dir + "/" + f + ".korvane-tmp");
#else
           test::write_file(dir + "/" + f + ".korvane-tmp", "planted");
#endif
         }
         seam.names_taken = 3;
       }},
      {"stale temporary files", Outcome::Written,
       [](const std::string& dir, const Target& t, test::FaultyFileSystem&) {
         for (const auto& f : t.files) {
           test::write_file(dir + "/" + f + ".korvane-tmp", "stale");
           test::write_file(dir + "/" + f + ".korvane-0000000000000000-0.tmp", "stale");
         }
       }},
      {"directory in the target's place", Outcome::Refused,
       [](const std::string& dir, const Target& t, test::FaultyFileSystem&) {
         for (const auto& f : t.files) {
           fs::remove(dir + "/" + f);
           fs::create_directory(dir + "/" + f);
           test::write_file(dir + "/" + f + "/inside", "kept");
         }
       }},
#ifndef _WIN32
      {"target is a link", Outcome::Written,
       [](const std::string& dir, const Target& t, test::FaultyFileSystem&) {
         fs::create_directory(dir + "/real");
         for (const auto& f : t.files) {
           fs::rename(dir + "/" + f, dir + "/real/" + f);
           ::chmod((dir + "/real/" + f).c_str(), 0640);
           fs::create_symlink("real/" + f, dir + "/" + f);
         }
       },
       true},
      {"FIFO in the target's place", Outcome::Refused,
       [](const std::string& dir, const Target& t, test::FaultyFileSystem&) {
         for (const auto& f : t.files) {
           fs::remove(dir + "/" + f);
           ASSERT_EQ(::mkfifo((dir + "/" + f).c_str(), 0600), 0);
         }
       },
       true},
      {"read-only folder", Outcome::EitherWhole,
       [](const std::string& dir, const Target&, test::FaultyFileSystem&) {
         fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
       },
       true},
#endif
      {"two writers at once", Outcome::EitherWhole,
       [](const std::string& dir, const Target& t, test::FaultyFileSystem& seam) {
         // Both writers hold their temporary file before either writes a byte.
         std::barrier both(2);
         seam.after_create = [&](const std::string&) { both.arrive_and_wait(); };
         test::RecordingNotifier n1;
         test::RecordingNotifier n2;
         std::thread other([&] { t.save(dir, 2, n2); });
         t.save(dir, 1, n1);
         other.join();
         seam.after_create = nullptr;
         // POSIX lets both replace the file in turn; Windows may refuse the second replace
         // while the first is under way, and that writer then says so. One always gets through.
         EXPECT_TRUE(n1.messages.empty() || n2.messages.empty());
       }},
  };
}

TEST(SaveFaultMatrix, OldBytesIntactOrNewBytesWholeAndNoTemporaryFileLeft) {
  for (const Target& target : targets()) {
    for (const Fault& fault : faults()) {
      SCOPED_TRACE(std::string(target.label) + " / " + fault.label);
      test::TempDir dir;
      const std::string d = dir.path().string();
      for (const auto& f : target.files) test::write_file(d + "/" + f, old_bytes(f));
      std::vector<std::string> old_all;
      for (const auto& f : target.files) old_all.push_back(old_bytes(f));

      test::RecordingNotifier notifier;
      {
        test::FaultyFileSystem seam;
        const bool two_writers = std::string(fault.label) == "two writers at once";
        fault.arrange(d, target, seam);
        const auto arranged = listing(dir.path());
        if (!two_writers) target.save(d, 1, notifier);
        fs::permissions(dir.path(), fs::perms::owner_all, fs::perm_options::add);
        // Nothing new in the folder: every temporary file is gone.
        EXPECT_EQ(listing(dir.path()), arranged);
      }

      const bool is_dir = fs::is_directory(d + "/" + target.files[0]);
      const bool is_fifo = fs::is_fifo(d + "/" + target.files[0]);
      const std::vector<std::string> now = is_dir || is_fifo ? old_all : contents(d, target);
      switch (fault.outcome) {
        case Outcome::Refused:
          ASSERT_FALSE(notifier.messages.empty());
          EXPECT_NE(notifier.messages[0].file.find(target.files[0]), std::string::npos)
              << test::utf8(notifier.messages[0].file);
          if (is_dir) {
            EXPECT_EQ(test::read_file(d + "/" + target.files[0] + "/inside"), "kept");
          }
          if (std::string_view(fault.label).starts_with("FIFO")) {
            EXPECT_TRUE(is_fifo);
          }
          if (!is_dir && !is_fifo) {
            EXPECT_EQ(now, old_all);
          }
          break;
        case Outcome::Written:
          EXPECT_TRUE(notifier.messages.empty()) << notifier.said().front();
          EXPECT_EQ(now, target.expected(1));
          break;
        case Outcome::EitherWhole:
          // Each file whole: its old bytes, or one writer's new bytes, never a mix.
          for (std::size_t i = 0; i < now.size(); ++i) {
            EXPECT_TRUE(now[i] == old_all[i] || now[i] == target.expected(1)[i] ||
                        now[i] == target.expected(2)[i])
                << now[i];
          }
          break;
      }
      if (fs::exists(d + "/victim")) {
        EXPECT_EQ(test::read_file(d + "/victim"), "victim");
      }
#ifndef _WIN32
      if (fs::is_directory(d + "/real")) {
        // The link still names the real file, which has the new bytes and its old permissions.
        EXPECT_TRUE(fs::is_symlink(d + "/" + target.files[0]));
        struct stat st {};
        ASSERT_EQ(::stat((d + "/real/" + target.files[0]).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0640u);
      }
#endif
    }
  }
}

}  // namespace
}  // namespace korvane
