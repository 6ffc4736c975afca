// Speed of read_dxf_file on a generated drawing of about 100 MB, CR LF line ends, as an R2000
// CAD program writes it: LINE, CIRCLE and INSERT entities, about a quarter of all entities texts
// (TEXT, MTEXT and the attributes of the inserts), plus header, tables and a block. Reports MB/s
// and texts/s, warm cache. The same drawing is also written as a 2010 CAD program saves it
// (AC1024, the same texts in UTF-8), whose texts the reader converts to Shift-JIS.
//
// Usage: dxf_reader_bench [--size_mb=N] [benchmark options]
//        dxf_reader_bench --write_drawing=PATH [--size_mb=N]   writes the Shift-JIS drawing, no
//        more
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "dxf/dxf_reader.h"
#include "notify.h"
#include "text/encoding.h"

namespace {

using korvane::TextTable;

class SilentNotifier : public korvane::Notifier {
 public:
  korvane::Answer notify(const korvane::Message&) override {
    ++count;
    return korvane::Answer::Ok;
  }
  int count = 0;
};

class DrawingWriter {
 public:
  explicit DrawingWriter(std::uint32_t seed) : rng_(seed) {}

  void pair(int code, std::string_view value) {
    char c[8];
    std::snprintf(c, sizeof c, "%3d", code);
    out_ += c;
    out_ += "\r\n";
    out_ += value;
    out_ += "\r\n";
  }
  void number(int code, double v) {
    char s[32];
    std::snprintf(s, sizeof s, "%.12g", v);
    // Whole numbers are written with a decimal point, as CAD programs do.
    if (!std::strpbrk(s, ".e")) std::strcat(s, ".0");
    pair(code, s);
  }
  double coord() { return std::uniform_real_distribution<double>(0.0, 840.0)(rng_); }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  std::string handle() {
    char h[16];
    std::snprintf(h, sizeof h, "%X", next_handle_++);
    return h;
  }
  std::string& bytes() { return out_; }

 private:
  std::mt19937 rng_;
  std::string out_;
  int next_handle_ = 0x100;
};

// Texts an electrical drawing carries: tag numbers, part names (Shift-JIS), types, notes.
const char* const kTexts[] = {
    "MC1",
    "\x93\x64\x8E\xA5\x90\xDA\x90\x47\x8A\xED",  // 電磁接触器
    "SC-E02 AC200V",
    "MCCB12",
    "\x94\x7A\x90\xFC\x97\x70\x8E\xD5\x92\x66\x8A\xED",  // 配線用遮断器
    "BW32AAG-3P 20A",
    "CR105",
    "MY2N DC24V",
    "PL3",
    "\x95\x5C\x8E\xA6\x93\x94",  // 表示灯
    "TB-2 1-12",
    "\x90\xA7\x8C\xE4\x94\xD5\x81\x40\x8E\xE5\x89\xF1\x98\x48",  // 制御盤　主回路
};

void entity_head(DrawingWriter& w, std::string_view name, std::string_view subclass,
                 std::string_view layer) {
  w.pair(0, name);
  w.pair(5, w.handle());
  w.pair(330, "1F");
  w.pair(100, "AcDbEntity");
  w.pair(8, layer);
  w.pair(100, subclass);
}

void line(DrawingWriter& w) {
  entity_head(w, "LINE", "AcDbLine", "WIRE");
  w.number(10, w.coord());
  w.number(20, w.coord());
  w.number(30, 0.0);
  w.number(11, w.coord());
  w.number(21, w.coord());
  w.number(31, 0.0);
}

void circle(DrawingWriter& w) {
  entity_head(w, "CIRCLE", "AcDbCircle", "SYMBOL");
  w.number(10, w.coord());
  w.number(20, w.coord());
  w.number(30, 0.0);
  w.number(40, 1.5 + w.pick(4));
}

// The texts as the drawing being written holds them.
std::vector<std::string> g_texts_in_file;

const std::string& some_text(DrawingWriter& w) {
  return g_texts_in_file[static_cast<std::size_t>(w.pick(12))];
}

void insert(DrawingWriter& w) {
  entity_head(w, "INSERT", "AcDbBlockReference", "SYMBOL");
  w.pair(66, "     1");
  w.pair(2, "RELAY");
  const double x = w.coord();
  const double y = w.coord();
  w.number(10, x);
  w.number(20, y);
  w.number(30, 0.0);
  const std::string owner = w.handle();
  entity_head(w, "ATTRIB", "AcDbText", "TEXT");
  w.number(10, x + 2.0);
  w.number(20, y - 2.0);
  w.number(30, 0.0);
  w.number(40, 2.5);
  w.pair(1, some_text(w));
  w.pair(100, "AcDbAttribute");
  w.pair(2, "TAG");
  w.pair(70, "     0");
  w.pair(0, "SEQEND");
  w.pair(5, owner);
  w.pair(100, "AcDbEntity");
  w.pair(8, "SYMBOL");
}

void text(DrawingWriter& w) {
  entity_head(w, "TEXT", "AcDbText", "TEXT");
  w.number(10, w.coord());
  w.number(20, w.coord());
  w.number(30, 0.0);
  w.number(40, 2.5);
  w.pair(1, some_text(w));
  w.pair(7, "STANDARD");
  w.pair(100, "AcDbText");
}

void mtext(DrawingWriter& w) {
  entity_head(w, "MTEXT", "AcDbMText", "TEXT");
  w.number(10, w.coord());
  w.number(20, w.coord());
  w.number(30, 0.0);
  w.number(40, 2.5);
  w.number(41, 60.0);
  w.pair(71, "     1");
  w.pair(72, "     5");
  w.pair(1, some_text(w) + "\\P" + some_text(w));
  w.pair(7, "STANDARD");
}

// Returns the number of text records the reader should find. Draws `rounds` rounds of entities,
// or as many as reach `target_bytes` when `rounds` is 0 (and sets it).
std::size_t generate(const std::string& path, std::size_t target_bytes, bool utf8,
                     std::size_t& rounds) {
  g_texts_in_file.clear();
  for (const char* t : kTexts) g_texts_in_file.push_back(utf8 ? korvane::sjis_to_utf8(t) : t);
  DrawingWriter w(20240601);
  w.pair(0, "SECTION");
  w.pair(2, "HEADER");
  w.pair(9, "$ACADVER");
  w.pair(1, utf8 ? "AC1024" : "AC1015");
  w.pair(9, "$DWGCODEPAGE");
  w.pair(3, "ANSI_932");
  w.pair(9, "$EXTMAX");
  w.number(10, 840.0);
  w.number(20, 594.0);
  w.pair(0, "ENDSEC");
  w.pair(0, "SECTION");
  w.pair(2, "TABLES");
  w.pair(0, "TABLE");
  w.pair(2, "LAYER");
  for (const char* layer : {"0", "WIRE", "SYMBOL", "TEXT"}) {
    w.pair(0, "LAYER");
    w.pair(2, layer);
    w.pair(70, "     0");
    w.pair(62, "     7");
    w.pair(6, "CONTINUOUS");
  }
  w.pair(0, "ENDTAB");
  w.pair(0, "ENDSEC");
  w.pair(0, "SECTION");
  w.pair(2, "BLOCKS");
  w.pair(0, "BLOCK");
  w.pair(2, "RELAY");
  line(w);
  circle(w);
  text(w);  // inside BLOCKS: not read
  w.pair(0, "ENDBLK");
  w.pair(0, "ENDSEC");
  w.pair(0, "SECTION");
  w.pair(2, "ENTITIES");

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::size_t written = 0;
  std::size_t texts = 0;
  const std::size_t fixed_rounds = rounds;
  std::size_t round = 0;
  for (; fixed_rounds == 0 ? written < target_bytes : round < fixed_rounds; ++round) {
    // Of every 20 entities drawn: 9 lines, 4 circles, 4 inserts (each with one attribute),
    // 2 texts and 1 mtext: 7 texts among 24 entities.
    for (int i = 0; i < 20; ++i) {
      if (i < 9) {
        line(w);
      } else if (i < 13) {
        circle(w);
      } else if (i < 17) {
        insert(w);
        ++texts;
      } else if (i < 19) {
        text(w);
        ++texts;
      } else {
        mtext(w);
        ++texts;
      }
    }
    if (w.bytes().size() > (1u << 20)) {
      out.write(w.bytes().data(), static_cast<std::streamsize>(w.bytes().size()));
      written += w.bytes().size();
      w.bytes().clear();
    }
  }
  w.pair(0, "ENDSEC");
  w.pair(0, "EOF");
  out.write(w.bytes().data(), static_cast<std::streamsize>(w.bytes().size()));
  rounds = round;
  return texts;
}

struct Drawing {
  std::string path;
  std::size_t texts = 0;
  TextTable table;  // of the first read
};

Drawing g_sjis;
Drawing g_utf8;

void BM_ReadDxfFile(benchmark::State& state, Drawing* drawing) {
  SilentNotifier notifier;
  TextTable table;
  for (auto _ : state) {
    table.clear();
    if (!korvane::read_dxf_file(drawing->path, table, notifier)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(table.data());
  }
  if (table.size() != drawing->texts) state.SkipWithError("unexpected number of texts");
  // Same texts, once converted: the UTF-8 drawing must give the Shift-JIS drawing's table.
  if (drawing->table.empty()) drawing->table = table;
  if (!g_sjis.table.empty() && !g_utf8.table.empty() && g_sjis.table != g_utf8.table) {
    state.SkipWithError("the two drawings give different tables");
  }
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(drawing->path));
  state.SetBytesProcessed(bytes * static_cast<std::int64_t>(state.iterations()));
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["texts"] = static_cast<double>(table.size());
  state.counters["texts/s"] = benchmark::Counter(static_cast<double>(table.size()),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t size_mb = 100;
  const char* write_drawing = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--size_mb=", 10) == 0)
      size_mb = std::strtoul(argv[i] + 10, nullptr, 10);
    if (std::strncmp(argv[i], "--write_drawing=", 16) == 0) write_drawing = argv[i] + 16;
  }
  if (write_drawing) {
    std::size_t rounds = 0;
    const std::size_t texts = generate(write_drawing, size_mb * 1000 * 1000, false, rounds);
    std::printf("%s: %zu texts\n", write_drawing, texts);
    return 0;
  }
  const auto dir = std::filesystem::temp_directory_path() /
                   ("korvane-bench-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  g_sjis.path = (dir / "generated_sjis.dxf").string();
  std::size_t rounds = 0;
  g_sjis.texts = generate(g_sjis.path, size_mb * 1000 * 1000, false, rounds);
  // The same entities; the file is a little larger, as UTF-8 takes 3 bytes for a kanji.
  g_utf8.path = (dir / "generated_utf8.dxf").string();
  g_utf8.texts = generate(g_utf8.path, 0, true, rounds);

  benchmark::RegisterBenchmark("read_dxf_file/shift_jis_AC1015", BM_ReadDxfFile, &g_sjis)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("read_dxf_file/utf8_AC1024", BM_ReadDxfFile, &g_utf8)
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(dir);
  return 0;
}
