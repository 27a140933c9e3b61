#include <gtest/gtest.h>

#include "data/select_form.h"

TEST(SelectForm, RecognisesSingleTableSelects) {
    struct Case {
        const char* sql;
        const char* table;
    };
    for (const Case& c : {Case{"select * from kaoti where id>=1 order by id", "kaoti"},
                          Case{"select lei2,id from kaoti  where tihao like '1.%' order by id", "kaoti"},
                          Case{"SELECT * FROM bz1", "bz1"}, Case{"select * from \"n\"\"r\";  ", "n\"r"},
                          Case{"select a from [my table] limit 3", "my table"},
                          Case{"select (select max(id) from kaoti) from nr", "nr"},
                          Case{"select * from kaoti where lei2='a from b' order by id", "kaoti"}}) {
        const auto form = ParseSimpleSelect(c.sql);
        ASSERT_TRUE(form) << c.sql;
        EXPECT_EQ(form->table, c.table) << c.sql;
        EXPECT_TRUE(EqualsIgnoringAsciiCase(std::string_view(c.sql).substr(form->fromOffset, 4), "from")) << c.sql;
    }
}

TEST(SelectForm, RefusesWhatIsNotOneRowPerTableRow) {
    for (const char* sql : {"select * from kaoti k", "select * from kaoti, nr", "select * from kaoti join nr on 1",
                            "select distinct lei1 from kaoti", "select lei1 from kaoti group by lei1",
                            "select * from kaoti where id=1 union select * from kaoti", "select * from main.kaoti",
                            "select * from (select * from kaoti)", "update kaoti set bz=''", "select 1",
                            "select * from kaoti where lei2='unterminated", "select * from kaoti; select 1",
                            "with x as (select 1) select * from x"}) {
        EXPECT_FALSE(ParseSimpleSelect(sql)) << sql;
    }
}

TEST(SelectForm, RowIdGoesAtTheEndOfTheSelectList) {
    const std::string sql = "select lei2,id from kaoti  where tihao like '1.%' order by id";
    const auto form = ParseSimpleSelect(sql);
    ASSERT_TRUE(form);
    EXPECT_EQ(AddRowIdToSelect(sql, *form, "rowid"),
              "select lei2,id , \"kaoti\".rowid from kaoti  where tihao like '1.%' order by id");
    EXPECT_EQ(QuoteIdentifier("a\"b"), "\"a\"\"b\"");
}
