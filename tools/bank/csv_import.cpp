#include "csv_import.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <stdexcept>

#include "base/bmp.h"
#include "base/errors.h"

namespace fs = std::filesystem;

namespace {

const char* const kColumns[] = {"id", "tihao", "timu", "A", "B", "C", "daan", "image", "t", "lei1", "lei2", "lei3", "bz"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char ch) { return char(std::tolower(ch)); });
    return text;
}

bool ParseInt(const std::string& text, int& value) {
    const std::string t = TrimSpaces(text);
    if (t.empty()) return false;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    return ec == std::errc() && end == t.data() + t.size();
}

}  // namespace

std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    int quoteLine = 0;
    size_t i = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    const auto endRecord = [&] {
        record.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
        if (!(record.size() == 1 && record[0].empty())) records.push_back(std::move(record));
        record.clear();
    };
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (quoted) {
            if (ch == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (ch == '\n') ++line;
                field += ch;
            }
            continue;
        }
        if (ch == '"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (ch == ',') {
            record.push_back(std::move(field));
            field.clear();
            fieldStarted = false;
        } else if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            // the LF ends the record
        } else if (ch == '\n' || ch == '\r') {
            ++line;
            endRecord();
        } else {
            field += ch;
            fieldStarted = true;
        }
    }
    if (quoted) throw std::runtime_error("line " + std::to_string(quoteLine) + ": a quoted field is not closed");
    if (fieldStarted || !record.empty()) endRecord();
    return records;
}

CsvImport ReadCsvBank(const fs::path& csv, const fs::path& images) {
    CsvImport result;
    std::ifstream in(csv, std::ios::binary);
    if (!in) {
        result.problems.push_back(csv.string() + ": cannot be read");
        return result;
    }
    const std::string text(std::istreambuf_iterator<char>(in), {});
    std::vector<std::vector<std::string>> records;
    try {
        records = ParseCsv(text);
    } catch (const std::exception& e) {
        result.problems.push_back(csv.string() + ": " + e.what());
        return result;
    }
    if (records.empty()) {
        result.problems.push_back(csv.string() + ": no header row");
        return result;
    }
    std::map<std::string, size_t> column;  // lower-cased name -> index
    for (size_t k = 0; k < records[0].size(); ++k) column[Lower(TrimSpaces(records[0][k]))] = k;
    for (const char* name : kColumns) {
        if (!column.count(Lower(name)) && std::string(name) != "bz") {
            result.problems.push_back(csv.string() + ": the header has no column " + name);
        }
    }
    if (!result.problems.empty()) return result;

    for (size_t r = 1; r < records.size(); ++r) {
        const auto& rec = records[r];
        const std::string where = "row " + std::to_string(r + 1) + ": ";
        const auto get = [&](const char* name) -> std::string {
            const auto it = column.find(Lower(name));
            return it != column.end() && it->second < rec.size() ? rec[it->second] : std::string();
        };
        if (rec.size() != records[0].size()) {
            result.problems.push_back(where + "has " + std::to_string(rec.size()) + " fields, the header " +
                                      std::to_string(records[0].size()));
            continue;
        }
        BankQuestion q;
        if (!ParseInt(get("id"), q.id)) {
            result.problems.push_back(where + "id '" + get("id") + "' is not a whole number");
            continue;
        }
        const std::string set = TrimSpaces(get("t"));
        if (!set.empty() && !ParseInt(set, q.t)) result.problems.push_back(where + "t '" + set + "' is not a whole number");
        q.tihao = TrimSpaces(get("tihao"));
        q.timu = get("timu");
        q.a = get("A");
        q.b = get("B");
        q.c = get("C");
        q.daan = get("daan");
        q.lei1 = TrimSpaces(get("lei1"));
        q.lei2 = TrimSpaces(get("lei2"));
        q.lei3 = TrimSpaces(get("lei3"));
        q.bz = TrimSpaces(get("bz"));
        const std::string picture = TrimSpaces(get("image"));
        if (!picture.empty()) {
            const fs::path file = images / picture;
            std::ifstream pic(file, std::ios::binary);
            if (!pic) {
                result.problems.push_back(where + "picture " + file.string() + " cannot be read");
            } else {
                q.image.assign(std::istreambuf_iterator<char>(pic), {});
                try {
                    DecodeBmp(q.image);
                } catch (const Exception&) {
                    result.problems.push_back(where + "picture " + file.string() + " is not a valid bitmap (BMP) file");
                }
            }
        }
        result.rows.push_back(std::move(q));
    }
    std::sort(result.rows.begin(), result.rows.end(), [](const BankQuestion& x, const BankQuestion& y) { return x.id < y.id; });
    return result;
}
