#pragma once
// The statements the windows run, word for word, shared by the windows, the benchmark and the
// tests. Statements built at run time splice their values in as the windows always have; a
// value that sits between quotes goes through EscapeQuotes first.
#include <string>

#include "data/escape.h"

namespace statements {

// The question query of the mock exam and sequential practice as the window is created.
inline constexpr const char* kAllQuestions = "select * from kaoti where id>=1 order by id";
// Sequential practice resumed at question n.
inline std::string QuestionsFrom(const std::string& n) { return "select * from kaoti where id >=" + n + " order by id"; }
// The resume point of sequential practice.
inline constexpr const char* kResumePoint = "select * from bz1";

// The paper of practice set n (1..12).
inline std::string SetPaper(int n) { return "select * from kaoti where t=" + std::to_string(n) + " order by id"; }

// Chapter practice: the chapter query as the window is created, the chapter query for chapter
// n, the four tree queries (two blanks before "where") and the bookmarks.
inline constexpr const char* kFirstChapter = "select * from kaoti where tihao like '1%' order by id";
inline std::string Chapter(int n) { return "select * from kaoti where tihao like '" + std::to_string(n) + "%" + "'" + " order by id"; }
inline std::string ChapterTree(int n) {
    return "select lei2,id from kaoti  where tihao like '" + std::to_string(n) + ".%' order by id";
}
// The four tree queries' rows in one statement, with the book number that tells the chapter.
inline constexpr const char* kChapterTrees =
    "select lei2,id,tihao from kaoti where tihao like '1.%' or tihao like '2.%' or tihao like '3.%' or tihao like '4.%'"
    " order by id";
inline std::string TreeChapter(const std::string& chapter) {
    return "select * from kaoti where lei1='" + EscapeQuotes(chapter) + "'" + " order by id";
}
inline std::string TreeSection(const std::string& chapter, const std::string& section) {
    return "select * from kaoti where lei1='" + EscapeQuotes(chapter) + "'" + " and lei2=" + "'" + EscapeQuotes(section) +
           "'" + " order by id";
}
inline std::string TreeKind(const std::string& chapter, const std::string& section, const std::string& kind) {
    return "select * from kaoti where lei1='" + EscapeQuotes(chapter) + "'" + " and lei2=" + "'" + EscapeQuotes(section) +
           "'" + " and lei3=" + "'" + EscapeQuotes(kind) + "'" + " order by id";
}
inline constexpr const char* kBookmarks = "select * from zhangjie";

// Intensive practice: the list in order, the list after a clear, the clear itself, and the
// table the window opens with the list.
inline constexpr const char* kIntensiveList = "select * from kaoti where bz='t' order by id";
inline constexpr const char* kIntensiveListUnordered = "select * from kaoti where bz='t'";
inline constexpr const char* kClearIntensive = "update kaoti set bz='' where bz='t'";
inline constexpr const char* kIntensiveCompanion = "select * from bzq";

// The regulation texts of the viewer (the whole table).
inline constexpr const char* kRegulationTable = "nr";

}  // namespace statements
