#include "xlsx_reader.h"

#include <zlib.h>

#include <cstdint>

namespace korvane::test {
namespace {

std::uint32_t le(std::string_view b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) {
    v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
  }
  return v;
}

// The entries of a ZIP archive by name, inflated.
std::optional<std::map<std::string, std::string>> unzip(std::string_view zip, std::string& error) {
  const std::size_t end = zip.rfind(std::string_view("PK\x05\x06", 4));
  if (end == std::string_view::npos || end + 22 > zip.size()) {
    error = "no end of central directory";
    return std::nullopt;
  }
  const std::uint32_t count = le(zip, end + 10, 2);
  std::size_t at = le(zip, end + 16, 4);
  std::map<std::string, std::string> entries;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (at + 46 > zip.size() || zip.substr(at, 4) != std::string_view("PK\x01\x02", 4)) {
      error = "bad central directory entry";
      return std::nullopt;
    }
    const std::uint32_t method = le(zip, at + 10, 2);
    const std::uint32_t packed = le(zip, at + 20, 4);
    const std::uint32_t size = le(zip, at + 24, 4);
    const std::uint32_t name_length = le(zip, at + 28, 2);
    const std::uint32_t skip = le(zip, at + 30, 2) + le(zip, at + 32, 2);
    const std::uint32_t local = le(zip, at + 42, 4);
    const std::string name(zip.substr(at + 46, name_length));
    at += 46 + name_length + skip;
    if (local + 30 > zip.size()) {
      error = "bad local header of " + name;
      return std::nullopt;
    }
    const std::size_t data = local + 30 + le(zip, local + 26, 2) + le(zip, local + 28, 2);
    if (data + packed > zip.size()) {
      error = "entry " + name + " runs past the end";
      return std::nullopt;
    }
    std::string content(size, '\0');
    if (method == 0) {
      content = std::string(zip.substr(data, packed));
    } else if (method == 8) {
      z_stream z{};
      if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return std::nullopt;
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + data));
      z.avail_in = packed;
      z.next_out = reinterpret_cast<Bytef*>(content.data());
      z.avail_out = size;
      const int status = inflate(&z, Z_FINISH);
      inflateEnd(&z);
      if (status != Z_STREAM_END) {
        error = "cannot inflate " + name;
        return std::nullopt;
      }
    } else {
      error = "method " + std::to_string(method) + " of " + name;
      return std::nullopt;
    }
    entries[name] = std::move(content);
  }
  return entries;
}

void append_utf8(std::string& out, unsigned long cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// XML text with its entities and Excel's _xHHHH_ escapes of control characters resolved.
std::string unescape(std::string_view x) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  for (std::size_t i = 0; i < x.size();) {
    bool done = false;
    for (const auto& [entity, c] : kEntities) {
      if (x.substr(i, entity.size()) == entity) {
        out += c;
        i += entity.size();
        done = true;
        break;
      }
    }
    if (done) continue;
    if (x.substr(i, 2) == "_x" && i + 7 <= x.size() && x[i + 6] == '_') {
      out += static_cast<char>(std::stoul(std::string(x.substr(i + 2, 4)), nullptr, 16));
      i += 7;
      continue;
    }
    if (x.substr(i, 3) == "&#x") {
      const std::size_t semi = x.find(';', i);
      append_utf8(out, std::stoul(std::string(x.substr(i + 3, semi - i - 3)), nullptr, 16));
      i = semi + 1;
      continue;
    }
    out += x[i++];
  }
  return out;
}

// The value of attribute `name` in the tag that starts at `tag`.
std::string attribute(std::string_view xml, std::size_t tag, std::string_view name) {
  const std::size_t close = xml.find('>', tag);
  const std::string key = " " + std::string(name) + "=\"";
  const std::size_t at = xml.find(key, tag);
  if (at == std::string_view::npos || at > close) return {};
  const std::size_t start = at + key.size();
  return unescape(xml.substr(start, xml.find('"', start) - start));
}

// The shared strings in order, the <t> runs of each joined.
std::vector<std::string> shared_strings(std::string_view xml) {
  std::vector<std::string> out;
  for (std::size_t si = xml.find("<si>"); si != std::string_view::npos;
       si = xml.find("<si>", si + 1)) {
    const std::size_t end = xml.find("</si>", si);
    std::string text;
    for (std::size_t t = xml.find("<t", si); t < end; t = xml.find("<t", t + 1)) {
      const std::size_t open_end = xml.find('>', t);
      if (xml[open_end - 1] == '/') continue;  // <t/>
      const std::size_t close = xml.find("</t>", open_end);
      text += unescape(xml.substr(open_end + 1, close - open_end - 1));
    }
    out.push_back(text);
  }
  return out;
}

std::size_t column_index(std::string_view ref) {
  std::size_t column = 0;
  for (char c : ref) {
    if (c < 'A' || c > 'Z') break;
    column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
  }
  return column - 1;
}

std::vector<std::vector<XlsxCell>> sheet_rows(std::string_view xml,
                                              const std::vector<std::string>& strings) {
  std::vector<std::vector<XlsxCell>> rows;
  for (std::size_t row = xml.find("<row "); row != std::string_view::npos;
       row = xml.find("<row ", row + 1)) {
    const std::size_t r = std::stoul(attribute(xml, row, "r"));
    if (rows.size() < r) rows.resize(r);
    const std::size_t end = xml.find("</row>", row);
    for (std::size_t c = xml.find("<c ", row); c < end; c = xml.find("<c ", c + 1)) {
      const std::size_t column = column_index(attribute(xml, c, "r"));
      const std::size_t v = xml.find("<v>", c);
      const std::size_t cell_end = xml.find("</c>", c);
      if (v > cell_end) continue;
      const std::string value(xml.substr(v + 3, xml.find("</v>", v) - v - 3));
      XlsxCell cell;
      if (attribute(xml, c, "t") == "s") {
        cell.text = strings.at(std::stoul(value));
      } else {
        cell.text = value;
        cell.number = true;
      }
      auto& cells = rows[r - 1];
      if (cells.size() <= column) cells.resize(column + 1);
      cells[column] = cell;
    }
  }
  return rows;
}

}  // namespace

std::optional<std::vector<XlsxSheet>> read_xlsx(std::string_view bytes, std::string& error) {
  const auto entries = unzip(bytes, error);
  if (!entries) return std::nullopt;
  auto entry = [&](const std::string& name) -> std::string {
    const auto it = entries->find(name);
    return it == entries->end() ? std::string() : it->second;
  };
  const std::string book = entry("xl/workbook.xml");
  const std::string rels = entry("xl/_rels/workbook.xml.rels");
  const std::vector<std::string> strings = shared_strings(entry("xl/sharedStrings.xml"));
  if (book.empty() || rels.empty()) {
    error = "no workbook part";
    return std::nullopt;
  }
  std::vector<XlsxSheet> sheets;
  for (std::size_t s = book.find("<sheet "); s != std::string::npos;
       s = book.find("<sheet ", s + 1)) {
    const std::string id = attribute(book, s, "r:id");
    const std::size_t rel = rels.find("Id=\"" + id + "\"");
    const std::size_t rel_start = rels.rfind('<', rel);
    const std::string xml = entry("xl/" + attribute(rels, rel_start, "Target"));
    if (rel == std::string::npos || xml.empty()) {
      error = "no sheet part for " + id;
      return std::nullopt;
    }
    sheets.push_back({attribute(book, s, "name"), sheet_rows(xml, strings), xml});
  }
  return sheets;
}

std::vector<std::string> csv_cells(std::string_view line) {
  std::vector<std::string> cells(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        cells.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cells.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      cells.emplace_back();
    } else {
      cells.back() += c;
    }
  }
  return cells;
}

std::vector<std::vector<std::string>> csv_rows(std::string_view file) {
  std::vector<std::vector<std::string>> rows;
  // Lines end in CR LF; a quoted cell may hold CR or LF itself.
  std::size_t start = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '"') quoted = !quoted;
    if (!quoted && file.substr(i, 2) == "\r\n") {
      rows.push_back(csv_cells(file.substr(start, i - start)));
      start = i + 2;
      ++i;
    }
  }
  return rows;
}

}  // namespace korvane::test
