// The korvane-cli command line parser on any arguments. Every problem is said; a command
// line without problems names at least one drawing, and the options it gives, written back as
// one canonical command line, parse to the same options.
//
// Input: the arguments, separated by NUL bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "convert/passes.h"
#include "options.h"

using namespace korvane;
using namespace korvane::cli;

namespace {

std::vector<std::string> canonical(const Options& o) {
  std::vector<std::string> args;
  if (o.command == Command::Texts) {
    args.emplace_back("texts");
    if (o.raw) args.emplace_back("--raw");
  } else {
    args.emplace_back("convert");
    // Values joined with "=", so that a value such as "--help" stays a value.
    args.push_back("--ini=" + o.ini);
    if (o.base) args.push_back("--base=" + *o.base);
    if (o.words) args.push_back("--words=" + *o.words);
    if (o.out) args.push_back("--out=" + *o.out);
    if (o.layout) {
      args.emplace_back(*o.layout == SaveLayout::OneFile ? "--one-file" : "--three-files");
    }
    if (o.kind) {
      args.emplace_back(*o.kind == OutputKind::Txt    ? "--txt"
                        : *o.kind == OutputKind::Xlsx ? "--xlsx"
                                                      : "--csv");
    }
    if (o.tag_list) {
      args.push_back("--tag-list=" +
                     std::string(kTagListNames[static_cast<std::size_t>(*o.tag_list)]));
    }
    if (o.encoding) {
      args.push_back("--encoding=" +
                     std::string(kOutputEncodingNames[static_cast<std::size_t>(*o.encoding)]));
    }
    std::string passes;
    for (const Pass p : o.passes) passes += (passes.empty() ? "" : ",") + std::string(pass_name(p));
    args.push_back("--passes=" + (passes.empty() ? std::string("none") : passes));
  }
  args.emplace_back("--");
  args.insert(args.end(), o.drawings.begin(), o.drawings.end());
  return args;
}

bool same(const Options& a, const Options& b) {
  return a.command == b.command && a.ini == b.ini && a.base == b.base && a.words == b.words &&
         a.out == b.out && a.layout == b.layout && a.kind == b.kind && a.tag_list == b.tag_list &&
         a.encoding == b.encoding && a.passes == b.passes && a.raw == b.raw &&
         a.drawings == b.drawings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (std::size_t pos = 0; pos < input.size();) {
    std::size_t end = input.find('\0', pos);
    if (end == std::string_view::npos) end = input.size();
    args.emplace_back(input.substr(pos, end - pos));
    pos = end + 1;
  }

  const ParsedCommandLine parsed = parse_command_line(args);
  for (const std::string& error : parsed.errors) {
    if (error.empty()) std::abort();
  }
  if (!parsed.errors.empty()) return 0;
  const Options& o = parsed.options;
  if (o.command != Command::Convert && o.command != Command::Texts) return 0;
  if (o.drawings.empty()) std::abort();

  const ParsedCommandLine again = parse_command_line(canonical(o));
  if (!again.errors.empty() || !same(again.options, o)) std::abort();
  return 0;
}
