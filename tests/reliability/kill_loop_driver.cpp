// SPDX-License-Identifier: MIT
// Saves a large document again and again through the real main window and its commands, for
// scripts/kill-loop.sh to kill at any moment: body switches, adds, child adds, inserts, renames,
// moves by dragging, deletes into and out of the trash, and the writes at exit. Before each command
// it journals (synced) the files the command may write and what each holds before and after; after
// the command it checks that each holds its "after", and stops with the reason journaled if not.
//
//   kill_loop_driver create WORK NODES   a generated document in WORK/doc, settings in WORK/Res
//   kill_loop_driver run WORK RUN        commands until killed; RUN keeps new names and bodies unique
#include <QApplication>
#include <QTextCursor>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "core/outline/treefile.h"
#include "core/settings/history.h"
#include "core/storage/files.h"
#include "core/text/cp932.h"
#include "gui/commands/node_commands.h"
#include "gui/editor/body_editor.h"
#include "gui/editor/body_text_edit.h"
#include "gui/outline/outline_model.h"
#include "gui/outline/outline_view.h"
#include "gui/window/main_window.h"
#include "gui/window/startup_exit.h"
#include "kill_loop_files.h"
#include "node_dialog_support.h"

namespace {

using rn::killloop::FileChange;
using rn::killloop::InWork;

rn::killloop::Journal* g_journal = nullptr;

[[noreturn]] void Stop(const std::string& why) {
    std::fprintf(stderr, "kill_loop_driver: %s\n", why.c_str());
    if (g_journal) g_journal->Fail(why);
    std::_Exit(2);
}

// Nothing the commands do here should ask or complain: any box means something went wrong.
class FailingPrompts : public rn::gui::Prompts {
public:
    void inform(const QString& text) override { Stop("box: " + text.toStdString()); }
    bool askYesNo(const QString& text) override { Stop("question: " + text.toStdString()); }
    bool askYesCancel(const QString& text) override { Stop("question: " + text.toStdString()); }
    void warn(const QString& text) override { Stop("warning: " + text.toStdString()); }
    void reportError(const QString& text) override { Stop("error: " + text.toStdString()); }
    void reportAbort(const QString& text) override { Stop("error: " + text.toStdString()); }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QColor chooseColor(const QColor&) override { return {}; }
    void beep() override {}
};

std::unique_ptr<rn::gui::MainWindow> OpenWindow(const std::string& work, FailingPrompts& prompts) {
    rn::gui::MainWindow::Options options;
    options.prompts = &prompts;
    options.programDirectory = QString::fromStdString(work);
    options.arguments = {QString::fromStdString(InWork(work, rn::killloop::kTreeFile))};
    auto window = std::make_unique<rn::gui::MainWindow>(options);
    window->resize(1000, 700);
    window->show();
    window->runStartup();
    QApplication::processEvents();
    if (!window->doc().IsOpen()) Stop("the document did not open");
    return window;
}

class Driver {
public:
    Driver(const std::string& work, std::uint64_t run) : work_(work), run_(run), random_(run) {}

    // A generated document of about `nodes` nodes: chapters of bodies and sections, and a trash
    // that already holds some.
    void Create(int nodes) {
        std::filesystem::create_directories(InWork(work_, "doc"));
        rn::Outline outline;
        auto addText = [&](rn::Node* parent) {
            const std::string name = NewName(true);
            outline.AppendChild(parent, rn::Cp932Literal(name));
            std::ofstream(InWork(work_, "doc/" + name), std::ios::binary) << MakeBody(3);
        };
        while (outline.Count() < nodes) {
            rn::Node* chapter = outline.AppendChild(nullptr, rn::Cp932Literal(NewName(false)));
            for (int i = 4 + random_() % 12; i > 0; --i) {
                if (!Chance(25)) {
                    addText(chapter);
                    continue;
                }
                rn::Node* section = outline.AppendChild(chapter, rn::Cp932Literal(NewName(false)));
                for (int j = 2 + random_() % 6; j > 0; --j)
                    addText(section);
            }
        }
        rn::Node* trash = outline.AppendChild(nullptr, std::string(rn::kTrashText));
        for (int i = 0; i < 5; ++i)
            addText(trash);
        if (!rn::WriteFileReplacing(InWork(work_, rn::killloop::kTreeFile), rn::SerializeOutline(outline)))
            Stop("cannot write the Tree file");
    }

    void Attach(rn::gui::MainWindow& window, rn::killloop::Journal& journal) {
        w_ = &window;
        journal_ = &journal;
    }

    void Step() {
        const auto r = random_() % 100;
        if (r < 37) {
            Switch();
        } else if (r < 47) {
            Add(1);
        } else if (r < 55) {
            Add(2);
        } else if (r < 63) {
            Add(3);
        } else if (r < 74) {
            Rename();
        } else if (r < 84) {
            Move();
        } else if (r < 91) {
            MoveToTrash();
        } else if (r < 95) {
            DeleteFromTrash();
        } else {
            Exit();
        }
        QApplication::processEvents();
    }

private:
    rn::Document& Doc() { return w_->doc(); }

    // Names and bodies never repeat across runs.
    std::uint64_t NewId() { return run_ * 1000000 + ++counter_; }
    std::string NewName(bool textNode) {
        const std::uint64_t id = NewId();
        const std::string stem = textNode ? (id % 2 ? "本文" : "t") : (id % 2 ? "章" : "f");
        return stem + std::to_string(id) + (textNode ? ".TXT" : "");
    }
    // Mostly small bodies, a fifth of tens of kilobytes, and `largePerMille` of about a megabyte.
    std::string MakeBody(int largePerMille) {
        const auto r = static_cast<int>(random_() % 1000);
        const std::size_t size = r < largePerMille ? 700000 + random_() % 500000
                                 : r < 200         ? 4096 + random_() % 60000
                                                   : 64 + random_() % 4000;
        return rn::killloop::MakeBody(NewId(), size, random_);
    }
    bool Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }

    std::string Relative(std::string_view nodeText) {
        auto path = Doc().BodyPath(nodeText);
        if (!path) Stop("a node text that names no file");
        return "doc/" + rn::FileNameOf(*path);
    }
    std::string Signature(const std::string& relative) { return rn::killloop::FileSignature(InWork(work_, relative)); }

    // Runs `command`, which may write `files`, as one journaled command.
    void Command(const std::string& what, const std::vector<FileChange>& files, const std::function<void()>& command) {
        journal_->Begin(what, files);
        command();
        for (const FileChange& f : files) {
            const std::string now = Signature(f.path);
            if (now != f.after) Stop(what + ": " + f.path + " holds " + now + " instead of " + f.after);
        }
        journal_->End();
    }

    std::vector<FileChange> WithPendingBody() {
        std::vector<FileChange> files;
        if (pending_) files.push_back(*pending_);
        return files;
    }

    // The Tree file as it is, and as `change` of the outline would make it.
    FileChange TreeChange(const std::function<void(rn::Outline&)>& change) {
        rn::Outline copy;
        const std::string bytes = rn::SerializeOutline(Doc().outline);
        rn::ParseTreeLines(rn::SplitTreeLines(bytes).lines, copy);
        change(copy);
        const std::string path = rn::killloop::kTreeFile;
        return {path, Signature(path), rn::killloop::SignatureOf(rn::SerializeOutline(copy))};
    }
    rn::Node* InCopy(rn::Outline& copy, const rn::Node* node) {
        return node == Doc().outline.Root() ? copy.Root() : copy.At(Doc().outline.IndexOf(node));
    }

    std::vector<rn::Node*> Nodes(const std::function<bool(rn::Node*)>& fits) {
        std::vector<rn::Node*> out;
        for (rn::Node* n : Doc().outline.Preorder())
            if (fits(n)) out.push_back(n);
        return out;
    }
    rn::Node* Pick(const std::function<bool(rn::Node*)>& fits) {
        const auto nodes = Nodes(fits);
        return nodes.empty() ? nullptr : nodes[random_() % nodes.size()];
    }
    static bool OutsideTrash(rn::Node* n) { return !rn::IsInTrash(n); }
    static bool InsideTrash(rn::Node* n) { return rn::IsInTrash(n) && n->text != rn::kTrashText; }

    // The selection change through the outline view: it writes the body being edited.
    void Select(rn::Node* node) {
        if (node == w_->selectedNode()) return;
        auto select = [&] { w_->SelectNode(node); };
        if (pending_) {
            Command("switch", WithPendingBody(), select);
        } else {
            select();
        }
        pending_.reset();
    }

    // Typing: the body in the editor is replaced by a new one, written by the next command that saves.
    void Edit() {
        if (w_->bodyEditor().state() != rn::kEditing || w_->editor()->isReadOnly() || Chance(20)) return;
        const std::string relative = Relative(w_->bodyEditor().nodeText());
        const std::string body = MakeBody(100);
        QString text = QString::fromStdString(rn::Cp932ToUtf8(body));
        text.remove(QLatin1Char('\r'));
        QTextCursor cursor(w_->editor()->document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
        pending_ = FileChange{relative, Signature(relative), rn::killloop::SignatureOf(body)};
    }

    // Selects a node that fits (writing the body being edited) and perhaps types a new body into it.
    rn::Node* SelectForCommand(const std::function<bool(rn::Node*)>& fits) {
        rn::Node* node = Pick(fits);
        if (!node) return nullptr;
        Select(node);
        Edit();
        return node;
    }

    void Switch() {
        if (rn::Node* node = Pick([this](rn::Node* n) { return n != w_->selectedNode(); })) Select(node);
        Edit();
    }

    // placement 1: after the last sibling, 2: last child, 3: before the selected node.
    void Add(int placement) {
        rn::Node* at = SelectForCommand(OutsideTrash);
        if (!at) return;
        const bool textNode = Chance(70);
        const std::string name = NewName(textNode);
        const std::string text = rn::Cp932Literal(name);
        std::vector<FileChange> files = WithPendingBody();
        if (textNode) files.push_back({Relative(text), "-", "0"});
        files.push_back(TreeChange([&](rn::Outline& copy) {
            rn::Node* node = InCopy(copy, at);
            if (placement == 1) copy.AppendChild(node->parent, text);
            if (placement == 2) copy.AppendChild(node, text);
            if (placement == 3) copy.InsertBefore(node, text);
        }));
        rn::gui::NodeCommands& commands = w_->nodeCommands();
        Command(placement == 1   ? "add"
                : placement == 2 ? "child-add"
                                 : "insert",
                files, [&] {
                    rn::test::AnswerNodeDialog(w_->nodeDialog(), QString::fromStdString(name), textNode);
                    if (placement == 1) commands.addSiblingNode();
                    if (placement == 2) commands.addChildNode();
                    if (placement == 3) commands.insertNodeBefore();
                });
        pending_.reset();
        Edit();
    }

    void Rename() {
        rn::Node* node = SelectForCommand(OutsideTrash);
        if (!node) return;
        const bool textNode = node->IsText();
        const std::string name = NewName(textNode);
        const std::string text = rn::Cp932Literal(name);
        std::vector<FileChange> files;
        const std::string oldFile = Relative(node->text), newFile = Relative(text);
        if (textNode) {
            const std::string held = Signature(oldFile);
            files.push_back({oldFile, held, "-"});
            files.push_back({newFile, "-", held});
        }
        files.push_back(TreeChange([&](rn::Outline& copy) { copy.SetText(InCopy(copy, node), text); }));
        Command("rename", files, [&] {
            rn::test::AnswerNodeDialog(w_->nodeDialog(), QString::fromStdString(name), textNode);
            w_->nodeCommands().renameNode();
        });
        // The edits stay in the editor and are written under the new name.
        if (pending_ && pending_->path == oldFile) pending_->path = newFile;
    }

    // Drags a node onto another's label, onto its indentation, or below the last node.
    void Move() {
        rn::Node* node = SelectForCommand([](rn::Node* n) { return n->text != rn::kTrashText; });
        rn::Node* target = Pick([](rn::Node*) { return true; });
        if (!node || !target) return;
        rn::gui::OutlineView* view = w_->outlineView();
        const QModelIndex index = w_->outlineModel()->indexOf(target);
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
            view->expand(p);
        view->scrollTo(index);
        const QRect r = view->visualRect(index);
        const auto r3 = random_() % 10;
        const QPoint pos = r3 < 5   ? QPoint(r.left() + 2, r.center().y())
                           : r3 < 9 ? QPoint(r.left() - 3, r.center().y())
                                    : QPoint(2, view->viewport()->height() - 2);
        const rn::gui::DropTarget drop = w_->nodeCommands().classifyDrop(pos);
        if (drop.place == rn::gui::DropPlace::Refused) return;
        bool moves = false;
        FileChange tree = TreeChange([&](rn::Outline& copy) {
            rn::Node* moved = InCopy(copy, node);
            rn::Node* parent = copy.Root();
            int row = parent->ChildCount();
            if (drop.place == rn::gui::DropPlace::LastChild) {
                parent = InCopy(copy, drop.node);
                row = parent->ChildCount();
            } else if (drop.place == rn::gui::DropPlace::Before) {
                parent = InCopy(copy, drop.node->parent);
                row = drop.node->row;
            }
            rn::Node* oldParent = moved->parent;
            const int oldRow = moved->row;
            moves = copy.Move(moved, parent, row) && (moved->parent != oldParent || moved->row != oldRow);
        });
        // A drop that moves nothing writes nothing, not even the body being edited.
        std::vector<FileChange> files;
        if (moves) {
            files = WithPendingBody();
            files.push_back(tree);
        }
        Command("move", files, [&] { w_->nodeCommands().dropAt(pos); });
        if (moves) pending_.reset();
        Edit();
    }

    void MoveToTrash() {
        rn::Node* node = SelectForCommand(OutsideTrash);
        if (!node) return;
        std::vector<FileChange> files = WithPendingBody();
        files.push_back(TreeChange([&](rn::Outline& copy) {
            rn::Node* trash = rn::FindTrashNode(copy);
            copy.Move(InCopy(copy, node), trash, trash->ChildCount());
        }));
        Command("to-trash", files, [&] {
            rn::test::ConfirmNodeDialog(w_->nodeDialog());
            w_->nodeCommands().deleteNode();
        });
        pending_.reset();
    }

    void DeleteFromTrash() {
        rn::Node* node = Pick(InsideTrash);
        if (!node) return MoveToTrash();
        Select(node);
        std::vector<FileChange> files;
        for (rn::Node* n : Nodes([node](rn::Node* n) { return rn::Outline::IsWithin(n, node) && n->IsText(); })) {
            const std::string file = Relative(n->text);
            files.push_back({file, Signature(file), "-"});
        }
        files.push_back(TreeChange([&](rn::Outline& copy) { copy.Remove(InCopy(copy, node)); }));
        Command("delete", files, [&] {
            rn::test::ConfirmNodeDialog(w_->nodeDialog());
            w_->nodeCommands().deleteNode();
        });
    }

    // The writes at exit (body, Tree file, history, settings) with the window at a new size; the
    // program then goes on as if it had been started again.
    void Exit() {
        w_->resize(700 + random_() % 500, 500 + random_() % 400);
        QApplication::processEvents();
        rn::gui::AppState& s = w_->state();
        std::vector<FileChange> files = WithPendingBody();
        const std::string scratch = InWork(work_, "scratch");
        std::filesystem::create_directories(scratch);
        const std::string settings = "Res/" + rn::FileNameOf(s.settingsFile);
        const std::string history = "Res/" + rn::FileNameOf(rn::HistoryFilePath());
        // What the writes will leave, from the same code on copies.
        std::filesystem::copy_file(s.settingsFile, scratch + "/settings",
                                   std::filesystem::copy_options::overwrite_existing);
        rn::Settings copy = s.settings;
        rn::WriteSettings(scratch + "/settings", copy, w_->currentGeometry(), Doc().treeFile);
        s.history.SaveTreeHistory(scratch + "/history");
        files.push_back({settings, Signature(settings), rn::killloop::FileSignature(scratch + "/settings")});
        files.push_back({history, Signature(history), rn::killloop::FileSignature(scratch + "/history")});
        Command("exit", files, [&] { w_->startupExit().runExit(false); });
        pending_.reset();
    }

    std::string work_;
    std::uint64_t run_;
    std::uint64_t counter_ = 0;
    std::mt19937_64 random_;
    rn::gui::MainWindow* w_ = nullptr;
    rn::killloop::Journal* journal_ = nullptr;
    std::optional<FileChange> pending_;  // the body in the editor, edited and not yet written
};

int Usage() {
    std::fprintf(stderr, "usage: kill_loop_driver create WORK NODES | run WORK RUN\n");
    return 64;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4) return Usage();
    const std::string mode = argv[1];
    const std::string work = rn::AbsolutePath(argv[2]);
    const std::uint64_t number = std::stoull(argv[3]);
    FailingPrompts prompts;
    if (mode == "create") {
        Driver driver(work, 0);
        driver.Create(static_cast<int>(number));
        // One start and exit writes the settings and the history; the model starts from there.
        OpenWindow(work, prompts).reset();
        rn::killloop::WriteModel(work, rn::killloop::ScanFiles(work));
        rn::killloop::RemoveJournal(work);
        return 0;
    }
    if (mode != "run") return Usage();
    rn::killloop::Journal journal(work);
    g_journal = &journal;
    Driver driver(work, number);
    auto window = OpenWindow(work, prompts);
    driver.Attach(*window, journal);
    journal.Ready();
    for (;;)
        driver.Step();
}
