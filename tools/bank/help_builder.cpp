#include "help_builder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The page's <title>, for the table of contents.
std::string TitleOf(const fs::path& page) {
    const std::string html = ReadFile(page);
    const size_t b = html.find("<title>");
    const size_t e = html.find("</title>");
    if (b == std::string::npos || e == std::string::npos || e < b) return page.stem().string();
    return html.substr(b + 7, e - b - 7);
}

std::string HtmlAttribute(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '"') out += "&quot;";
        else if (ch == '&') out += "&amp;";
        else out += ch;
    }
    return out;
}

}  // namespace

void BuildHelpFile(const fs::path& pages, const fs::path& out) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(pages)) {
        if (entry.is_regular_file() && entry.path().extension() == ".html") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    const auto index = std::find(names.begin(), names.end(), "index.html");
    if (index == names.end()) throw std::runtime_error(pages.string() + ": the help pages need an index.html");
    std::rotate(names.begin(), index, index + 1);

    const fs::path work = fs::temp_directory_path() / ("muhe-help-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::create_directories(work);
    for (const auto& name : names) fs::copy_file(pages / name, work / name);

    std::ofstream hhc(work / "toc.hhc", std::ios::binary);
    hhc << "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<HTML><HEAD><meta charset=\"utf-8\"></HEAD><BODY>\r\n<UL>\r\n";
    for (const auto& name : names) {
        hhc << "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" << HtmlAttribute(TitleOf(work / name))
            << "\"><param name=\"Local\" value=\"" << name << "\"></OBJECT>\r\n";
    }
    hhc << "</UL>\r\n</BODY></HTML>\r\n";
    hhc.close();

    std::ofstream hhp(work / "bangzhu.hhp", std::ios::binary);
    hhp << "[OPTIONS]\r\nCompatibility=1.1 or later\r\nCompiled file=bangzhu.chm\r\nContents file=toc.hhc\r\n"
           "Default topic=index.html\r\nDisplay compile progress=No\r\nLanguage=0x804\r\nTitle="
        << TitleOf(work / "index.html") << "\r\n\r\n[FILES]\r\n";
    for (const auto& name : names) hhp << name << "\r\n";
    hhp.close();

    const std::string command = "cd '" + work.string() + "' && chmcmd --no-html-scan bangzhu.hhp 2>&1";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 512> buffer{};
        while (fgets(buffer.data(), int(buffer.size()), pipe)) output += buffer.data();
        const int status = pclose(pipe);
        if (status != 0 || !fs::exists(work / "bangzhu.chm")) {
            fs::remove_all(work);
            throw std::runtime_error("chmcmd failed:\n" + output);
        }
    } else {
        fs::remove_all(work);
        throw std::runtime_error("chmcmd could not be started");
    }
    fs::copy_file(work / "bangzhu.chm", out, fs::copy_options::overwrite_existing);
    fs::remove_all(work);
}
