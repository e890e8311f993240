#include "core/outline/node_names.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace rn {
namespace {

using test::S;

TEST(NodeNames, ExtensionsAndTheTxtEnding) {
    test::WithNotices n;
    EXPECT_EQ(ConfirmNodeName(kModeAdd, "C", "", true).name, "C.TXT");
    EXPECT_EQ(ConfirmNodeName(kModeAdd, "note.doc", "", true).name, "note.doc");
    EXPECT_EQ(ConfirmNodeName(kModeAdd, "memo.", "", true).name, "memo..TXT");
    EXPECT_EQ(ConfirmNodeName(kModeInsert, "X", "", false).name, "X");
    EXPECT_EQ(ConfirmNodeName(kModeChildAdd, "第1章", "", true).name, S("第1章.TXT"));
    // Renames keep the old extension unless one is typed; search keys get nothing.
    EXPECT_EQ(ConfirmNodeName(kModeRename, "b", "TXT", true).name, "b.TXT");
    EXPECT_EQ(ConfirmNodeName(kModeRename, "b.", "TXT", true).name, "b.TXT");
    EXPECT_EQ(ConfirmNodeName(kModeRename, "b.txt", "TXT", true).name, "b.txt");
    EXPECT_EQ(ConfirmNodeName(kModeRename, "節", "", true).name, S("節"));
    EXPECT_EQ(ConfirmNodeName(kModeSearch, "key", "", true).name, "key");
    EXPECT_EQ(ConfirmNodeName(kModeAdd, "", "", true).outcome, NameOutcome::Cancelled);
    EXPECT_TRUE(n.recorder.Boxes().empty());
}

TEST(NodeNames, TheTrashNameIsRefusedInEveryModeEvenAfterStripping) {
    test::WithNotices n;
    for (int mode : {0, 1, 2, 3, 4, 5}) {
        NameCheck c = ConfirmNodeName(mode, "ゴミ箱", "", true);
        EXPECT_EQ(c.outcome, NameOutcome::StayOpen);
        EXPECT_TRUE(c.clearField);
    }
    EXPECT_EQ(n.recorder.Of("warning").size(), 6u);
    EXPECT_EQ(n.recorder.Of("warning")[0], "ノード名\"ゴミ箱\"は利用できません。");
    n.recorder.answers = {true};
    EXPECT_EQ(ConfirmNodeName(kModeAdd, "ゴミ箱/", "", false).outcome, NameOutcome::StayOpen);
}

TEST(NodeNames, CharactersFileNamesCannotHoldAreRemovedAfterAsking) {
    test::WithNotices n;
    n.recorder.answers = {true, false};
    NameCheck yes = ConfirmNodeName(kModeAdd, "a/b:c", "", true);
    EXPECT_EQ(yes.outcome, NameOutcome::Confirmed);
    EXPECT_EQ(yes.name, "abc.TXT");
    NameCheck no = ConfirmNodeName(kModeAdd, "a/b:c", "", true);
    EXPECT_EQ(no.outcome, NameOutcome::StayOpen);
    EXPECT_FALSE(no.clearField);
    EXPECT_EQ(n.recorder.Of("yescancel")[0],
              "[ a/b:c ]の中にファイル名と利用できない文字があります\r[ abc ]に変更しました。\rよろしいですか");
    // The katakana ソ ends in the byte of a backslash but is kept.
    EXPECT_EQ(ConfirmNodeName(kModeAdd, "ソース", "", false).name, S("ソース"));
}

TEST(NodeNames, WhatTheTreeFileCannotHoldIsRemovedAfterAskingInEveryMode) {
    struct Case {
        int mode;
        const char* typed;
        const char* name;
    };
    for (const Case& c : std::vector<Case>{{kModeAdd, "  x", "x.TXT"},
                                           {kModeRename, "\t x", "x.TXT"},
                                           {kModeSearch, " key", "key"},
                                           {kModeInsert, "a\r\nb", "ab.TXT"}}) {
        test::WithNotices n;
        n.recorder.answers = {true};
        NameCheck check = ConfirmNodeName(c.mode, c.typed, "TXT", true);
        EXPECT_EQ(check.name, c.name) << c.typed;
        EXPECT_EQ(n.recorder.Of("yescancel").size(), 1u) << c.typed;
    }
}

TEST(NodeNames, TheTemporaryFilesFormIsNoNodeName) {
    test::WithNotices n;
    EXPECT_EQ(ConfirmNodeName(kModeAdd, ".rn-abc123", "", true).outcome, NameOutcome::StayOpen);
    EXPECT_EQ(ConfirmNodeName(kModeRename, ".rn-abc123", "TXT", true).outcome, NameOutcome::StayOpen);
    EXPECT_EQ(n.recorder.Of("warning"), std::vector<std::string>(2, "ノード名\".rn-abc123\"は利用できません。"));
    EXPECT_EQ(ConfirmNodeName(kModeSearch, ".rn-abc123", "", false).name, ".rn-abc123");
}

TEST(NodeNames, TextCp932CannotHoldIsRefusedNotChanged) {
    test::WithNotices n;
    NameCheck c = ConfirmNodeName(kModeAdd, "memo😀", "", true);
    EXPECT_EQ(c.outcome, NameOutcome::StayOpen);
    ASSERT_EQ(n.recorder.Of("warning").size(), 1u);
    EXPECT_NE(n.recorder.Of("warning")[0].find("😀 U+1F600"), std::string::npos);
}

}  // namespace
}  // namespace rn
