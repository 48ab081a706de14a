// libFuzzer target for the hex document: the input is a file's bytes and a list of edits,
// inserts, deletes, selections, undos and redos applied to a THexDocument over a copy of that
// file. The document must hold what a plain byte array given the same edits holds, its size
// must follow every operation, and undoing everything must give back the file's own bytes.

#include "core/KorError.h"
#include "hex/HexDocument.h"
#include "platform/Host.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

/// The working copies go to a private folder of the fuzzer's own.
class FuzzPaths : public platform::Paths {
public:
    explicit FuzzPaths(const QString& dir) : m_dir(dir + '/') {}
    QString settingsDir() const override { return m_dir; }
    QString homeDir() const override { return m_dir; }
    QString tempDir() const override { return m_dir; }

private:
    QString m_dir;
};

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_at >= m_size; }
    uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    int word() { return byte() | byte() << 8; }
    QByteArray bytes(int count) {
        QByteArray out;
        while (count-- > 0)
            out.append(char(byte()));
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

/// One call on the document with its arguments, kept so that a redo can make it again.
struct Operation {
    enum Kind { Change, Insert, Append, Delete, Replace } kind;
    qint32 position = 0;
    uchar value = 0;
    QByteArray data;
};

QByteArray contents(THexDocument& document) {
    if (document.DataSize() == 0) return {};
    int count = document.DataSize();
    const QByteArray bytes = document.BufferFromFile(0, count);
    check(count == document.DataSize());
    return bytes;
}

void compare(THexDocument& document, const QByteArray& model) {
    check(document.DataSize() == model.size());
    check(contents(document) == model);
    // The read window must never show bytes from before an edit.
    for (qint32 i = 0; i < model.size(); i += 7)
        check(document.byteAt(i) == uchar(model[i]));
}

hexgrid::Cell cellOf(const THexDocument& document, qint32 byte, bool text) {
    return hexgrid::cellOfByte(byte, document.BytesPerLine(), text);
}

// Applies the operation to the document and the model the way the document defines it.
void apply(THexDocument& document, QByteArray& model, const Operation& op) {
    switch (op.kind) {
    case Operation::Change: {
        if (model.isEmpty()) return;
        const qint32 index = op.position % model.size();
        document.ChangeByte(uchar(model[index]), op.value, 0, 0, index);
        model[index] = char(op.value);
        break;
    }
    case Operation::Insert: {
        const qint32 position = op.position % (model.size() + 1);
        document.InsertBuffer(op.data.constData(), int(op.data.size()), position);
        model.insert(position, op.data);
        break;
    }
    case Operation::Append:
        document.AppendBuffer(op.data.constData(), int(op.data.size()));
        model.append(op.data);
        break;
    case Operation::Delete:
        if (model.isEmpty()) {
            document.DeleteSelection();
            return;
        }
        if (document.SelAnchor() >= 0)
            model.remove(document.SelStart(), document.SelCount());
        else
            model.remove(document.CaretPosition(), 1);
        document.DeleteSelection();
        break;
    case Operation::Replace:
        if (document.SelAnchor() >= 0) {
            if (model.isEmpty()) return;
            model.replace(document.SelStart(), document.SelCount(), op.data);
        } else {
            model.insert(document.caretByte(), op.data);
        }
        document.ReplaceSelection(op.data.constData(), int(op.data.size()));
        break;
    }
}

void run(const uint8_t* data, size_t size, const QString& dir) {
    Input input(data, size);
    const QByteArray original = input.bytes(input.byte() % 160);
    const QString path = dir + QStringLiteral("/original.bin");
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        check(file.write(original) == original.size());
    }
    THexDocument document;
    document.setFileName(path);
    check(document.LoadFromFile());
    document.setBytesPerLine(1 + input.byte() % 24);
    QByteArray model = original;
    compare(document, model);

    // Each undo record has the model as it was before the change and the change itself.
    struct Step {
        QByteArray before;
        Operation op;
    };
    std::vector<Step> done, undone;
    // Fewer changes than the undo log holds, so that everything can be undone.
    int changes = 0;
    while (!input.empty() && changes < THexUndoLog::kMaxRecords - 1) {
        const int code = input.byte();
        const QByteArray before = model;
        const int records = document.undoLog().count();
        Operation op{};
        bool isChange = true;
        bool redo = false;
        switch (code % 9) {
        case 0:
            op = {Operation::Change, input.word(), uchar(input.byte()), {}};
            break;
        case 1:
            op.kind = Operation::Insert;
            op.position = input.word();
            op.data = input.bytes(1 + input.byte() % 20);
            break;
        case 2:
            op.kind = Operation::Append;
            op.data = input.bytes(1 + input.byte() % 20);
            break;
        case 3:
            op.kind = Operation::Delete;
            break;
        case 4:
            op.kind = Operation::Replace;
            op.data = input.bytes(1 + input.byte() % 20);
            break;
        case 5: { // move the caret, selecting or not
            isChange = false;
            const int flags = input.byte();
            const qint32 byte = model.isEmpty() ? 0 : input.word() % model.size();
            document.setSelecting(flags & 1);
            document.moveCaret(cellOf(document, byte, flags & 2));
            document.setSelecting(false);
            break;
        }
        case 6:
            isChange = false;
            document.clearSelection();
            break;
        case 7: // undo
            isChange = false;
            if (done.empty()) {
                check(!document.CanUndo());
                break;
            }
            check(document.CanUndo());
            document.Undo();
            model = done.back().before;
            undone.push_back(done.back());
            done.pop_back();
            break;
        case 8: // redo: the undone call made again from the state the undo put back
            isChange = !undone.empty();
            redo = isChange;
            if (!redo) break;
            op = undone.back().op;
            undone.pop_back();
            break;
        }
        if (isChange) {
            try {
                apply(document, model, op);
            } catch (const KorError&) {
                model = before; // a refused command changes nothing
            }
            if (document.undoLog().count() > records) {
                done.push_back({before, op});
                if (!redo) undone.clear();
                ++changes;
            } else {
                check(model == before); // a call that records nothing changes nothing
            }
        }
        compare(document, model);
        check(document.Modified() == !done.empty());
    }

    while (!done.empty()) {
        check(document.CanUndo());
        document.Undo();
        model = done.back().before;
        done.pop_back();
        compare(document, model);
    }
    check(model == original);
    check(contents(document) == original);
    check(!document.Modified());
    check(!document.CanUndo());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_hexedit";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    // An object, not a pointer: its folder is removed when the fuzzer exits.
    static QTemporaryDir dir;
    static FuzzPaths paths(dir.path());
    platform::setPaths(&paths);
    Q_UNUSED(app);
    run(data, size, dir.path());
    // Drops the state-changed notifications the document queued.
    QCoreApplication::removePostedEvents(nullptr);
    return 0;
}
