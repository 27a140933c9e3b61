#include "csv_import.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <numeric>
#include <stdexcept>

#include "bank_paths.h"
#include "content_reader.h"
#include "base/bmp.h"
#include "base/errors.h"
#include "data/paths.h"

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

std::string Row(size_t row) { return "第 " + std::to_string(row) + " 行"; }

// Where a fault lies, as the console names it: the header is row 1 and says so.
std::string RowPlace(int row) {
    if (row <= 0) return "";
    return Row(size_t(row)) + (row == 1 ? "（标题行）" : "");
}

bool OnlySeparators(const std::vector<std::string>& record) {
    return std::all_of(record.begin(), record.end(), [](const std::string& field) { return TrimSpaces(field).empty(); });
}

// A picture is named inside the picture folder, subfolders allowed; either separator is taken
// on every platform, since the files come from Windows. Empty when the name is acceptable.
std::string PictureNameFault(const std::string& name) {
    if (name.find(':') != std::string::npos) return "不能带驱动器号或冒号";
    if (name[0] == '/' || name[0] == '\\') return "不能以“\\”开头（那是磁盘上的绝对位置）";
    for (const std::string& part : SplitFields(name, '/')) {
        for (const std::string& piece : SplitFields(part, '\\')) {
            if (TrimSpaces(piece) == "..") return "不能含有“..”（那会指到图片文件夹以外）";
        }
    }
    return "";
}

fs::path PictureFile(const fs::path& images, std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return images / Utf8Path(name);
}

// Reads one picture into `q`, or reports why it cannot be used.
void ReadPicture(const fs::path& images, const std::string& name, int row, BankQuestion& q,
                 std::vector<CsvProblem>& problems) {
    const auto refuse = [&](const std::string& what) { problems.push_back({row, "image", what}); };
    if (const std::string fault = PictureNameFault(name); !fault.empty()) {
        refuse("图片文件名“" + name + "”" + fault + "：请只写图片文件夹中的文件名，例如“q12.bmp”或“标志\\q12.bmp”");
        return;
    }
    const fs::path file = PictureFile(images, name);
    std::ifstream pic(file, std::ios::binary);
    if (!pic) {
        refuse("图片文件“" + PathToUtf8(file) + "”无法读取（文件不存在，或者没有读取权限）：请检查文件名和图片文件夹");
        return;
    }
    q.image.assign(std::istreambuf_iterator<char>(pic), {});
    if (q.image.empty()) {
        refuse("图片文件“" + PathToUtf8(file) + "”是空的（0 字节）：请重新保存这张图片，没有图片的题这一格留空");
        return;
    }
    try {
        DecodeBmp(q.image);
    } catch (const Exception&) {
        refuse("图片文件“" + PathToUtf8(file) + "”不是有效的 BMP 位图文件：请用画图等程序另存为 BMP 格式");
    }
}

}  // namespace

char DetectSeparator(const std::string& text) {
    const std::string first = text.substr(0, text.find('\n'));
    return first.find('\t') != std::string::npos ? '\t' : ',';
}

std::vector<std::vector<std::string>> ParseCsv(const std::string& text, char separator) {
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
        } else if (ch == separator) {
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
    if (quoted) {
        throw std::runtime_error(Row(size_t(quoteLine)) + "：有一个以引号开头的字段，直到文件结束也没有配对的结束引号");
    }
    if (fieldStarted || !record.empty()) endRecord();
    return records;
}

std::string DescribeCsvProblem(const CsvProblem& problem) {
    return DescribeProblem(RowPlace(problem.row), problem.column, problem.what);
}

std::vector<std::string> DescribeCsvProblems(const std::vector<CsvProblem>& problems) {
    std::vector<std::string> lines;
    for (const CsvProblem& p : problems) lines.push_back(DescribeCsvProblem(p));
    return lines;
}

std::vector<CsvProblem> ProblemsByRow(const std::vector<BankProblem>& problems, const CsvImport& in) {
    std::vector<CsvProblem> byRow;
    for (const BankProblem& p : problems) {
        byRow.push_back({p.position >= 0 ? in.sourceRows[size_t(p.position)] : 0, p.column, p.what});
    }
    return byRow;
}

CsvImport CheckCsvBank(const fs::path& csv, const fs::path& images, const CsvProgress& progress) {
    CsvImport in = ReadCsvBank(csv, images, progress);
    if (in.problems.empty() && !in.cancelled) in.problems = ProblemsByRow(CheckQuestions(in.rows), in);
    return in;
}

CsvImport ReadCsvBank(const fs::path& csv, const fs::path& images, const CsvProgress& progress) {
    CsvImport result;
    const std::string name = PathToUtf8(csv);
    const auto fault = [&](const std::string& what) { result.problems.push_back({0, "", what}); };
    std::error_code ec;
    if (fs::is_directory(csv, ec)) {
        fault("“" + name + "”是一个文件夹：请给出 CSV 文件本身，例如“" + PathToUtf8(csv / "题库.csv") + "”");
        return result;
    }
    if (!fs::is_directory(images, ec)) {
        fault("图片文件夹“" + PathToUtf8(images) + "”不存在，或者不是文件夹：请给出存放题目图片的文件夹（没有图片也要给一个文件夹）");
        return result;
    }
    std::ifstream in(csv, std::ios::binary);
    if (!in) {
        fault("文件“" + name + "”无法读取（文件不存在，或者没有读取权限）：请检查文件名，并关闭正打开它的电子表格");
        return result;
    }
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::vector<std::vector<std::string>> records;
    try {
        DecodedText text = DecodeCsvText(bytes);
        result.encoding = text.encoding;
        result.separator = DetectSeparator(text.utf8);
        records = ParseCsv(text.utf8, result.separator);
    } catch (const std::exception& e) {
        fault(name + "：" + e.what());
        return result;
    }
    if (records.empty()) {
        fault(name + "：文件是空的，没有标题行");
        return result;
    }
    std::map<std::string, size_t> column;  // lower-cased name -> index
    for (size_t k = 0; k < records[0].size(); ++k) {
        const std::string title = TrimSpaces(records[0][k]);
        if (!column.emplace(Lower(title), k).second) {
            result.problems.push_back({1, title, "这一列出现了两次"});
        }
    }
    for (const char* title : kColumns) {
        if (!column.count(Lower(title)) && std::string(title) != "bz") {
            result.problems.push_back({1, title, "缺少这一列"});
        }
    }
    if (!result.problems.empty()) return result;

    // Spreadsheets leave rows of bare separators below the table.
    while (records.size() > 1 && OnlySeparators(records.back())) records.pop_back();
    std::vector<int> rowOf;
    const size_t total = records.size() - 1;
    for (size_t r = 1; r < records.size(); ++r) {
        // Reading the pictures is most of the time a file takes; a cancel is heard between rows.
        if (progress && !progress(r - 1, total)) {
            result.cancelled = true;
            return result;
        }
        const auto& rec = records[r];
        const int row = int(r + 1);
        const auto get = [&](const char* title) -> std::string {
            const auto it = column.find(Lower(title));
            return it != column.end() && it->second < rec.size() ? rec[it->second] : std::string();
        };
        if (rec.size() != records[0].size()) {
            result.problems.push_back({row, "", "有 " + std::to_string(rec.size()) + " 个字段，标题行有 " +
                                                    std::to_string(records[0].size()) + " 个（分隔符" +
                                                    (result.separator == '\t' ? "是制表符" : "是逗号") +
                                                    "；含有分隔符、引号或换行的内容要用英文双引号括起来）"});
            continue;
        }
        BankQuestion q;
        if (!ParseInt(get("id"), q.id)) {
            result.problems.push_back({row, "id", "“" + get("id") + "”不是整数"});
            continue;
        }
        const std::string set = TrimSpaces(get("t"));
        if (!set.empty() && !ParseInt(set, q.t)) result.problems.push_back({row, "t", "“" + set + "”不是整数"});
        q.tihao = get("tihao");
        // Text is kept as written, blanks and all, so that an exported bank comes back byte for
        // byte; the checks and the trainer compare it trimmed.
        q.timu = get("timu");
        q.a = get("A");
        q.b = get("B");
        q.c = get("C");
        q.daan = get("daan");
        q.lei1 = get("lei1");
        q.lei2 = get("lei2");
        q.lei3 = get("lei3");
        q.bz = get("bz");
        const std::string picture = TrimSpaces(get("image"));
        if (!picture.empty()) ReadPicture(images, picture, row, q, result.problems);
        result.rows.push_back(std::move(q));
        rowOf.push_back(row);
    }
    if (progress) progress(total, total);
    // Question order, each row keeping its place in the file for the messages.
    std::vector<size_t> order(result.rows.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) { return result.rows[x].id < result.rows[y].id; });
    std::vector<BankQuestion> sorted;
    for (size_t k : order) {
        sorted.push_back(std::move(result.rows[k]));
        result.sourceRows.push_back(rowOf[k]);
    }
    result.rows = std::move(sorted);
    return result;
}
