#include "xlsx_reader.h"

#include <zlib.h>

#include <cstdint>

#include "text/encoding.h"

namespace korvane::test {
namespace {

std::uint32_t le(std::string_view b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) {
    v = v << 8 | static_cast<unsigned char>(b.at(at + static_cast<std::size_t>(i)));
  }
  return v;
}

// The entries of a ZIP archive by name, stored or inflated; nothing when one cannot be read.
std::optional<std::map<std::string, std::string>> unzip(std::string_view zip) {
  const std::size_t end = zip.rfind(std::string_view("PK\x05\x06", 4));
  if (end == std::string_view::npos) return std::nullopt;
  std::map<std::string, std::string> entries;
  std::size_t at = le(zip, end + 16, 4);
  for (std::uint32_t i = 0, count = le(zip, end + 10, 2); i < count; ++i) {
    const std::uint32_t method = le(zip, at + 10, 2), packed = le(zip, at + 20, 4);
    const std::uint32_t size = le(zip, at + 24, 4), name_length = le(zip, at + 28, 2);
    const std::size_t local = le(zip, at + 42, 4);
    const std::string name(zip.substr(at + 46, name_length));
    at += 46 + name_length + le(zip, at + 30, 2) + le(zip, at + 32, 2);
    const std::string_view data =
        zip.substr(local + 30 + le(zip, local + 26, 2) + le(zip, local + 28, 2), packed);
    std::string content(data);
    if (method == 8) {
      content.assign(size, '\0');
      z_stream z{};
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
      z.avail_in = static_cast<uInt>(data.size());
      z.next_out = reinterpret_cast<Bytef*>(content.data());
      z.avail_out = size;
      if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return std::nullopt;
      const int status = inflate(&z, Z_FINISH);
      inflateEnd(&z);
      if (status != Z_STREAM_END) return std::nullopt;
    } else if (method != 0) {
      return std::nullopt;
    }
    entries[name] = std::move(content);
  }
  return entries;
}

// XML text with its entities and the _xHHHH_ escapes of control characters resolved.
std::string unescape(std::string_view x) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  for (std::size_t i = 0; i < x.size();) {
    const auto entity =
        std::find_if(std::begin(kEntities), std::end(kEntities),
                     [&](const auto& e) { return x.substr(i, e.first.size()) == e.first; });
    if (entity != std::end(kEntities)) {
      out += entity->second;
      i += entity->first.size();
    } else if (x.substr(i, 2) == "_x" && i + 7 <= x.size() && x[i + 6] == '_') {
      out += static_cast<char>(std::stoul(std::string(x.substr(i + 2, 4)), nullptr, 16));
      i += 7;
    } else {
      out += x[i++];
    }
  }
  return out;
}

// The value of attribute `name` in the tag that starts at `tag`, or "".
std::string attribute(std::string_view xml, std::size_t tag, std::string_view name) {
  const std::string key = " " + std::string(name) + "=\"";
  const std::size_t at = xml.find(key, tag);
  if (at == std::string_view::npos || at > xml.find('>', tag)) return {};
  const std::size_t start = at + key.size();
  return unescape(xml.substr(start, xml.find('"', start) - start));
}

// The text between each <tag ...> and the </tag> that follows it.
std::vector<std::string> element_texts(std::string_view xml, std::string_view tag) {
  std::vector<std::string> out;
  const std::string open = "<" + std::string(tag), close = "</" + std::string(tag) + ">";
  for (std::size_t at = xml.find(open); at != std::string_view::npos; at = xml.find(open, at + 1)) {
    const char after = xml[at + open.size()];
    if (after != '>' && after != ' ') continue;
    const std::size_t start = xml.find('>', at) + 1;
    out.push_back(unescape(xml.substr(start, xml.find(close, start) - start)));
  }
  return out;
}

std::vector<std::vector<XlsxCell>> sheet_rows(std::string_view xml,
                                              const std::vector<std::string>& strings) {
  std::vector<std::vector<XlsxCell>> rows;
  for (std::size_t c = xml.find("<c "); c != std::string_view::npos; c = xml.find("<c ", c + 1)) {
    const std::string ref = attribute(xml, c, "r");
    const std::size_t letters = ref.find_first_of("0123456789");
    const std::size_t row = std::stoul(ref.substr(letters)) - 1;
    std::size_t column = 0;
    for (char l : ref.substr(0, letters))
      column = column * 26 + static_cast<std::size_t>(l - 'A' + 1);
    const std::string value = element_texts(xml.substr(c, xml.find("</c>", c) - c), "v").at(0);
    const bool shared = attribute(xml, c, "t") == "s";
    if (rows.size() <= row) rows.resize(row + 1);
    if (rows[row].size() < column) rows[row].resize(column);
    rows[row][column - 1] = {shared ? strings.at(std::stoul(value)) : value, !shared};
  }
  return rows;
}

}  // namespace

std::optional<std::vector<XlsxSheet>> read_xlsx(std::string_view bytes, std::string& error) {
  const auto entries = unzip(bytes);
  if (!entries || !entries->contains("xl/workbook.xml")) {
    error = "not a workbook";
    return std::nullopt;
  }
  std::vector<std::string> strings;
  if (entries->contains("xl/sharedStrings.xml")) {
    strings = element_texts(entries->at("xl/sharedStrings.xml"), "t");
  }
  // libxlsxwriter names the parts of the sheets sheet1.xml, sheet2.xml, ... in sheet order.
  const std::string& book = entries->at("xl/workbook.xml");
  std::vector<XlsxSheet> sheets;
  for (std::size_t s = book.find("<sheet "); s != std::string::npos;
       s = book.find("<sheet ", s + 1)) {
    const std::string part = "xl/worksheets/sheet" + std::to_string(sheets.size() + 1) + ".xml";
    if (!entries->contains(part)) {
      error = "no " + part;
      return std::nullopt;
    }
    sheets.push_back(
        {attribute(book, s, "name"), sheet_rows(entries->at(part), strings), entries->at(part)});
  }
  return sheets;
}

std::vector<std::vector<std::string>> csv_rows(std::string_view file) {
  std::vector<std::vector<std::string>> rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < file.size(); ++i) {
    const char c = file[i];
    if (c == '"') {
      if (quoted && i + 1 < file.size() && file[i + 1] == '"')
        rows.back().back() += file[i++];
      else
        quoted = !quoted;
    } else if (!quoted && c == ',') {
      rows.back().emplace_back();
    } else if (!quoted && file.substr(i, 2) == "\r\n") {
      rows.emplace_back(1);
      ++i;
    } else {
      rows.back().back() += c;
    }
  }
  rows.pop_back();  // after the last CR LF
  return rows;
}

bool sheet_matches_csv(const XlsxSheet& sheet, std::string_view csv, std::string& why) {
  const auto rows = csv_rows(csv);
  if (sheet.rows.size() != rows.size() + 1) {
    why = sheet.name + ": " + std::to_string(sheet.rows.size()) + " rows for " +
          std::to_string(rows.size()) + " lines";
    return false;
  }
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto& cells = sheet.rows[r + 1];
    for (std::size_t c = 0; c < rows[r].size() || c < cells.size(); ++c) {
      const std::string expected = c < rows[r].size() ? sjis_to_utf8(rows[r][c]) : "";
      const std::string found = c < cells.size() ? cells[c].text : "";
      if (found != expected) {
        why = sheet.name + " row " + std::to_string(r + 2) + " column " + std::to_string(c + 1) +
              ": \"" + found + "\" for \"" + expected + "\"";
        return false;
      }
    }
  }
  return true;
}

}  // namespace korvane::test
