// SPDX-License-Identifier: MIT
#include "core/outline/node_names.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace rn {
namespace {

using test::S;

TEST(NodeNames, ExtensionsAndTheTxtEnding) {
    test::WithNotices n;
    EXPECT_EQ(ConfirmNodeName(NameMode::Add, "C", "", true).name, "C.TXT");
    EXPECT_EQ(ConfirmNodeName(NameMode::Add, "note.doc", "", true).name, "note.doc");
    EXPECT_EQ(ConfirmNodeName(NameMode::Add, "memo.", "", true).name, "memo..TXT");
    EXPECT_EQ(ConfirmNodeName(NameMode::Insert, "X", "", false).name, "X");
    EXPECT_EQ(ConfirmNodeName(NameMode::ChildAdd, "第1章", "", true).name, S("第1章.TXT"));
    // Renames keep the old extension unless one is typed; search keys get nothing.
    EXPECT_EQ(ConfirmNodeName(NameMode::Rename, "b", "TXT", true).name, "b.TXT");
    EXPECT_EQ(ConfirmNodeName(NameMode::Rename, "b.", "TXT", true).name, "b.TXT");
    EXPECT_EQ(ConfirmNodeName(NameMode::Rename, "b.txt", "TXT", true).name, "b.txt");
    EXPECT_EQ(ConfirmNodeName(NameMode::Rename, "節", "", true).name, S("節"));
    EXPECT_EQ(ConfirmNodeName(NameMode::Search, "key", "", true).name, "key");
    EXPECT_EQ(ConfirmNodeName(NameMode::Add, "", "", true).outcome, NameOutcome::Cancelled);
    EXPECT_TRUE(n.recorder.Boxes().empty());
}

TEST(NodeNames, TheTrashNameIsRefusedInEveryModeEvenAfterStripping) {
    test::WithNotices n;
    for (NameMode mode : {NameMode::Add, NameMode::ChildAdd, NameMode::Insert, NameMode::Rename, NameMode::Search,
                          NameMode::NarrowSearch}) {
        NameCheck c = ConfirmNodeName(mode, "ゴミ箱", "", true);
        EXPECT_EQ(c.outcome, NameOutcome::StayOpen);
        EXPECT_TRUE(c.clearField);
    }
    EXPECT_EQ(n.recorder.Of("warning").size(), 6u);
    EXPECT_EQ(n.recorder.Of("warning")[0], "ノード名\"ゴミ箱\"は利用できません。");
    n.recorder.answers = {true};
    EXPECT_EQ(ConfirmNodeName(NameMode::Add, "ゴミ箱/", "", false).outcome, NameOutcome::StayOpen);
}

TEST(NodeNames, CharactersFileNamesCannotHoldAreRemovedAfterAsking) {
    test::WithNotices n;
    n.recorder.answers = {true, false};
    NameCheck yes = ConfirmNodeName(NameMode::Add, "a/b:c", "", true);
    EXPECT_EQ(yes.outcome, NameOutcome::Confirmed);
    EXPECT_EQ(yes.name, "abc.TXT");
    NameCheck no = ConfirmNodeName(NameMode::Add, "a/b:c", "", true);
    EXPECT_EQ(no.outcome, NameOutcome::StayOpen);
    EXPECT_FALSE(no.clearField);
    EXPECT_EQ(n.recorder.Of("yescancel")[0],
              "[ a/b:c ]の中にファイル名と利用できない文字があります\r[ abc ]に変更しました。\rよろしいですか");
    // The katakana ソ ends in the byte of a backslash but is kept.
    EXPECT_EQ(ConfirmNodeName(NameMode::Add, "ソース", "", false).name, S("ソース"));
}

TEST(NodeNames, WhatTheTreeFileCannotHoldIsRemovedAfterAskingInEveryMode) {
    struct Case {
        NameMode mode;
        const char* typed;
        const char* name;
    };
    for (const Case& c : std::vector<Case>{{NameMode::Add, "  x", "x.TXT"},
                                           {NameMode::Rename, "\t x", "x.TXT"},
                                           {NameMode::Search, " key", "key"},
                                           {NameMode::Insert, "a\r\nb", "ab.TXT"}}) {
        test::WithNotices n;
        n.recorder.answers = {true};
        NameCheck check = ConfirmNodeName(c.mode, c.typed, "TXT", true);
        EXPECT_EQ(check.name, c.name) << c.typed;
        EXPECT_EQ(n.recorder.Of("yescancel").size(), 1u) << c.typed;
    }
}

TEST(NodeNames, TheTemporaryFilesFormIsNoNodeName) {
    test::WithNotices n;
    EXPECT_EQ(ConfirmNodeName(NameMode::Add, ".rn-abc123", "", true).outcome, NameOutcome::StayOpen);
    EXPECT_EQ(ConfirmNodeName(NameMode::Rename, ".rn-abc123", "TXT", true).outcome, NameOutcome::StayOpen);
    EXPECT_EQ(n.recorder.Of("warning"), std::vector<std::string>(2, "ノード名\".rn-abc123\"は利用できません。"));
    EXPECT_EQ(ConfirmNodeName(NameMode::Search, ".rn-abc123", "", false).name, ".rn-abc123");
}

TEST(NodeNames, TextCp932CannotHoldIsRefusedNotChanged) {
    test::WithNotices n;
    NameCheck c = ConfirmNodeName(NameMode::Add, "memo😀", "", true);
    EXPECT_EQ(c.outcome, NameOutcome::StayOpen);
    ASSERT_EQ(n.recorder.Of("warning").size(), 1u);
    EXPECT_NE(n.recorder.Of("warning")[0].find("😀 U+1F600"), std::string::npos);
}

}  // namespace
}  // namespace rn
