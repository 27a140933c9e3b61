#include "bank_export.h"

#include <fstream>

#include "bank_install.h"
#include "bank_store.h"
#include "base/errors.h"
#include "data/paths.h"

namespace fs = std::filesystem;

namespace {

std::string Quoted(const fs::path& path) { return "“" + PathToUtf8(path) + "”"; }

// Every text field quoted: blanks at either end and line breaks inside come back as they are.
std::string Field(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"') out += '"';
        out += ch;
    }
    return out + "\"";
}

void WriteFile(const fs::path& file, const void* data, size_t size, const std::string& what) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    out.close();
    if (!out) {
        throw ExportError("无法写入" + what + Quoted(file) + "：请确认这个位置可以写入、磁盘没有写满，并关闭正打开这个文件的电子表格或看图程序");
    }
}

}  // namespace

std::string PictureNameOf(const BankQuestion& q) { return q.image.empty() ? "" : "q" + std::to_string(q.id) + ".bmp"; }

std::string FormatCsvBank(const std::vector<BankQuestion>& bank) {
    std::string csv = "\xEF\xBB\xBF" "id,tihao,timu,A,B,C,daan,image,t,lei1,lei2,lei3,bz\r\n";
    for (const BankQuestion& q : bank) {
        csv += std::to_string(q.id) + "," + Field(q.tihao) + "," + Field(q.timu) + "," + Field(q.a) + "," + Field(q.b) + "," +
               Field(q.c) + "," + Field(q.daan) + "," + PictureNameOf(q) + "," + (q.t > 0 ? std::to_string(q.t) : "") + "," +
               Field(q.lei1) + "," + Field(q.lei2) + "," + Field(q.lei3) + "," + Field(q.bz) + "\r\n";
    }
    return csv;
}

size_t ExportBank(const fs::path& dir, const fs::path& csv, const fs::path& images) {
    std::error_code ec;
    if (!fs::is_regular_file(dir / "jjj", ec)) {
        throw ExportError("文件夹" + Quoted(dir) + "中没有题库文件 jjj：请指定安装文件夹中的“数据”文件夹");
    }
    std::vector<BankQuestion> bank;
    try {
        bank = ReadQuestionFile(dir);
    } catch (const Exception&) {
        throw ExportError("无法读取题库文件" + Quoted(dir / "jjj") + "：它不是考试系统的题库文件，或者已经损坏；可以用 jjj.bak 恢复");
    }
    if (fs::is_directory(csv, ec)) throw ExportError(Quoted(csv) + "是一个文件夹：请给出要写入的 CSV 文件名，例如“题库.csv”");
    if (csv.has_parent_path()) fs::create_directories(csv.parent_path(), ec);
    fs::create_directories(images, ec);
    if (ec || !fs::is_directory(images)) {
        throw ExportError("无法建立图片文件夹" + Quoted(images) + (ec ? "（" + ReasonOf(ec) + "）" : "（这是一个文件）") +
                          "：请换一个文件夹");
    }
    for (const BankQuestion& q : bank) {
        if (!q.image.empty()) WriteFile(images / PictureNameOf(q), q.image.data(), q.image.size(), "图片文件");
    }
    const std::string text = FormatCsvBank(bank);
    WriteFile(csv, text.data(), text.size(), " CSV 文件");
    return bank.size();
}
