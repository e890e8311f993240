// SPDX-License-Identifier: MIT
#include "core/outline/document.h"

#include <filesystem>

#include "core/notices.h"
#include "core/outline/treefile.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"

namespace rn {
namespace {

constexpr const char* kCaption = "Ramblenote";
constexpr const char* kCrLf = "\r\n";

bool AllAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

void AssignKinds(Outline& outline, const Document& doc) {
    for (Node* n : outline.Preorder())
        n->kind = doc.KindFromDisk(n->text);
}

}  // namespace

std::optional<std::string> BodyPathIn(const std::string& treeDir, std::string_view nodeText) {
    if (nodeText.empty() || nodeText == "." || nodeText == "..") return std::nullopt;
    std::string name;
    if (AllAscii(nodeText)) {
        name.assign(nodeText);
    } else {
        // Two texts that convert to one file name would read and overwrite each other's body: a text
        // names a file only when it converts back to exactly its own bytes.
        if (!RoundTripsCp932(nodeText)) return std::nullopt;
        name = Cp932ToUtf8(nodeText);
    }
    // A node text never reaches outside the tree directory.
    if (name.find_first_of("/\\") != std::string::npos) return std::nullopt;
    return treeDir + name;
}

Document::Document() = default;

std::optional<std::string> Document::BodyPath(std::string_view nodeText) const {
    return BodyPathIn(treeDir, nodeText);
}

bool Document::BodyExists(std::string_view nodeText) const {
    auto path = BodyPath(nodeText);
    return path && FileExists(*path);
}

NodeKind Document::KindFromDisk(std::string_view nodeText) const {
    if (BodyExists(nodeText)) return NodeKind::Text;
    return nodeText == kTrashText ? NodeKind::Trash : NodeKind::Folder;
}

bool Document::LoadBody(std::string_view nodeText, std::string& bytes) const {
    bytes.clear();
    auto path = BodyPath(nodeText);
    if (!path) return false;
    std::string raw, reason;
    if (!ReadFileBytes(*path, raw, &reason)) {
        ReportOpenError(*path, reason);
        return false;
    }
    bytes = TakeNormalizedBody(std::move(raw)).bytes;
    return true;
}

bool Document::SaveBody(std::string_view nodeText, std::string_view bytes) const {
    auto path = BodyPath(nodeText);
    if (!path) {
        ReportCreateError(treeDir + Cp932ToUtf8(nodeText), "ファイル名に使えないノード名です");
        return false;
    }
    std::string reason;
    if (!WriteFileReplacing(*path, bytes, &reason)) {
        ReportCreateError(*path, reason);
        return false;
    }
    return true;
}

bool Document::NameTaken(std::string_view text, bool textNode, const Node* self) const {
    bool otherNode = false;
    for (const Node* n : outline.Preorder())
        otherNode = otherNode || (n != self && n->text == text);
    const bool fileExists = BodyExists(text);
    // A text node brings a body of its own (or makes one): it never lands on a file that is there.
    if (textNode) return fileExists || otherNode;
    // A folder takes up a file that no other node names; never the Tree file itself.
    return fileExists && (otherNode || SameFile(*BodyPath(text), treeFile));
}

bool Document::SaveTreeFile(const Node* without) {
    if (!IsOpen()) return true;
    std::string bytes = SerializeOutline(outline, without);
    if (bytes == treeSaved_) return true;
    if (!FileUnchanged(treeStamp_, treeFile) && !notices().AskYesNo(ChangedOnDiskQuestion(treeFile))) {
        view_->TreeFileChangedElsewhere();
        return false;
    }
    std::string reason;
    if (!WriteFileReplacing(treeFile, bytes, &reason)) {
        ReportCreateError(treeFile, reason);
        return false;
    }
    treeStamp_ = StampFile(treeFile, bytes);
    treeSaved_ = std::move(bytes);
    return true;
}

void Document::RefreshNodeKinds(int index) {
    if (outline.Empty()) return;
    view_->SetOutlineUpdating(true);
    if (index == -1) {
        for (Node* n : outline.Preorder())
            outline.SetKind(n, KindFromDisk(n->text));
    } else if (Node* n = outline.At(index)) {
        outline.SetKind(n, KindFromDisk(n->text));
        view_->SelectNode(n);
    }
    view_->SetOutlineUpdating(false);
}

int Document::FindNodeByText(std::string_view text) const {
    const auto& all = outline.Preorder();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i]->text == text) return static_cast<int>(i);
    return -1;
}

bool Document::LoadOutlineFrom(const std::string& path, const std::string& dir) {
    // Everything is read and checked before the open document is touched: a file that cannot be
    // loaded leaves it as it was.
    std::string bytes, reason;
    if (!ReadFileBytes(path, bytes, &reason)) {
        ReportOpenError(path, reason);
        return false;
    }
    FileStamp stamp = StampFile(path, bytes);
    Outline loaded;
    TreeFileRead read = ParseTreeFile(path, bytes, loaded);
    if (!read.ok) {
        notices().ErrorBox(read.error);
        return false;
    }
    const bool writable = CanReplaceFile(path);
    if (!read.hasTrashLine) {
        // On read-only media the trash exists in memory only; it is written with the next change.
        // So it is when the write fails, but that is an error, not a read-only document.
        std::string withTrash = read.rewritten + std::string(kTrashText) + kCrLf;
        if (writable && WriteFileReplacing(path, withTrash, &reason)) {
            stamp = StampFile(path, withTrash);
        } else if (writable) {
            ReportCreateError(path, reason);
        }
        loaded.AppendChild(nullptr, std::string(kTrashText));
    }
    loadingOutline = true;
    treeDir = dir;
    AssignKinds(loaded, *this);
    view_->SetOutlineUpdating(true);
    outline.ReplaceWith(loaded);
    view_->SetOutlineUpdating(false);
    loadingOutline = false;
    treeSaved_ = SerializeOutline(outline);
    treeStamp_ = stamp;
    readOnly = !writable;
    return true;
}

int Document::OpenTreeFile(const std::string& requested) {
    ClearStatus();
    int result = kOpenDone;
    const std::string path = AbsolutePath(requested);
    if (!FileExists(path)) return kOpenNoFile;
    const std::string dir = DirectoryWithSlash(path);
    const std::string name = FileNameOf(path);
    const std::string base = FileNameOf(PathWithoutExtension(path));
    const std::string ext = UpperExtensionOf(path);
    view_->SetDialogDirectory(dir);

    std::string loadPath = path;
    bool converted = false;
    if (ext == "TREE") {
        if (!notices().AskYesNo("Tree   File [ " + name + " ]を\rRnote File [ " + base +
                                ".Rnote ] に､コンバードしますか?"))
            return kOpenConversionDeclined;
        // The conversion works in its own outline: until a file is loaded the open document stays.
        Outline old;
        TreeFileRead read = ReadTreeFile(path, old);
        if (!read.ok) {
            notices().ErrorBox(read.error);
            return kOpenUnreadable;
        }
        AppendTxtWhereBodiesExist(old, dir);
        std::string reason;
        if (!WriteFileReplacing(path, SerializeOutline(old), &reason)) {
            ReportCreateError(path, reason);
            return kOpenRenameFailed;
        }
        loadPath = dir + base + ".Rnote";
        if (!RenamePath(path, loadPath)) result = kOpenRenameFailed;
        converted = true;
        if (result == kOpenRenameFailed && !FileExists(loadPath)) return result;
    } else if (ext != "RNOTE") {
        ShowStatus("Treeﾌｧｲﾙ[ " + name + " ]拡張子エラー");
        return kOpenBadExtension;
    }

    if (!LoadOutlineFrom(loadPath, dir)) return converted ? kOpenRenameFailed : kOpenUnreadable;
    treeFile = loadPath;
    // Saves that were killed half-way leave their temporary files behind; nobody else would remove them.
    // A node of a hand-edited Tree file may still name such a file: it is a body then, and stays.
    RemoveStaleTemporaryFiles(dir, [this](std::string_view name) { return FindNodeByText(name) >= 0; });
    view_->SetCaption(std::string(kCaption) + "：" + loadPath);
    if (Node* first = outline.At(0)) view_->SelectNode(first);
    view_->FocusOutline();
    if (onOpened) onOpened(loadPath);
    if (converted && result != kOpenRenameFailed) result = kOpenConverted;
    return result;
}

void Document::CreateTreeFile(std::string path) {
    path = AbsolutePath(path);
    if (FileExists(path)) {
        ShowStatus("Treeﾌｧｲﾙ[" + path + "]は既に作成されています｡");
        return;
    }
    const std::string name = FileNameOf(path);
    std::string ext = UpperExtensionOf(path);
    view_->SetDialogDirectory(DirectoryWithSlash(path));
    if (ext.empty()) {
        ext = "RNOTE";
        path += ".RNOTE";
    }
    if (ext != "RNOTE") {
        ShowStatus("Treeﾌｧｲﾙ[ " + name + " ]拡張子エラー");
        return;
    }
    CreateEmptyFile(path);
    // Nothing was created (the box has told why): the open document stays.
    if (!FileExists(path)) return;
    if (OpenTreeFile(path) >= 0) ShowStatus(treeFile + " 新規作成しました");
}

std::string OpenResultMessage(int result, const Document& doc, const std::string& chosenPath) {
    switch (result) {
        case kOpenDone:
            return doc.treeFile + (doc.readOnly ? " を読み取り専用で開きました" : " を開きました");
        case kOpenConverted:
            return doc.treeFile + " をコンバート／開きました";
        case kOpenNoFile:
            return "Treeﾌｧｲﾙ[" + chosenPath + "]がありません｡";
        case kOpenRenameFailed:
            return "コンバート処理に失敗しました";
        case kOpenConversionDeclined:
            return "コンバート処理をキャンセルしました";
        case kOpenBadExtension:
            return "ファイル拡張子エラー";
        case kOpenUnreadable:
            return "Treeﾌｧｲﾙ[" + chosenPath + "]を開けませんでした｡";
        default:
            return {};
    }
}

}  // namespace rn
