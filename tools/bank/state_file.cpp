// The learner's state file `bz` of a new installation, with the regulation texts.
#include "atomic_write.h"
#include "bank_store.h"
#include "data/schema.h"
#include "rtf_writer.h"

void WriteAuxiliaryFile(const std::filesystem::path& file, const std::vector<LawText>& laws) {
    WriteAtomically(file, CreateStateFile, [&](sqlite3* db) {
        // "1" is the resume point of a learner who has not practised yet.
        ExecuteStatement(db, "insert into bz1 (bz) values ('1')");
        ExecuteStatement(db, "insert into bzq (bz) values ('0')");
        SqliteStatement bookmark = PrepareStatement(db, "insert into zhangjie (zhangjie, id) values (?, ?)");
        for (const ChapterInfo& c : kChapters) {
            bookmark.BindText(1, std::to_string(c.number));
            bookmark.BindText(2, std::to_string(c.firstId));
            bookmark.Step();
            bookmark.Rewind();
        }
        bookmark.Reset();
        SqliteStatement law = PrepareStatement(db, "insert into nr (bt, nr) values (?, ?)");
        for (const LawText& text : laws) {
            law.BindText(1, text.title);
            law.BindText(2, LawToRtf(text));
            law.Step();
            law.Rewind();
        }
    }, [](sqlite3*) {});
}
