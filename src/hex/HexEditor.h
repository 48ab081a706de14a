#pragma once

#include "hex/HexDocument.h"
#include "hex/HexInput.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QTimer>

class QKeyEvent;

/// The hex editing control: a scrollable grid of fixed-size cells (offset, bookmark
/// gutter, hex nibbles, a blank separator, text) over a THexDocument, painting every cell
/// itself, with a block caret, keyboard and mouse selection and a 60 ms auto-scroll while
/// the left button is held outside the cells. Its interface is the document's; the
/// state-changed notification arrives deferred, once for each one queued.
class THexEditor : public QAbstractScrollArea, public HexViewport {
    Q_OBJECT
public:
    static constexpr QRgb kBookmarkBackground = 0x800000;
    static constexpr QRgb kBookmarkText = 0xFFFFFF;
    static constexpr QRgb kModifiedBackground = 0xFFFFA8;
    static constexpr QRgb kModifiedText = 0x800000;
    static constexpr QRgb kTwinFrame = 0x008080;
    static constexpr int kScrollInterval = 60;

    explicit THexEditor(QWidget* parent = nullptr);

    THexDocument& document() { return *m_doc; }

    QString FileName() const { return m_doc->FileName(); }
    void setFileName(const QString& fileName) { m_doc->setFileName(fileName); }
    qint32 DataSize() const { return m_doc->DataSize(); }
    bool Modified() const { return m_doc->Modified(); }
    bool ReadOnlyFile() const { return m_doc->ReadOnlyFile(); }
    bool CanUndo() const { return m_doc->CanUndo(); }
    QString UndoDescription() const { return m_doc->UndoDescription(); }
    qint32 SelStart() const { return m_doc->SelStart(); }
    qint32 SelEnd() const { return m_doc->SelEnd(); }
    qint32 SelAnchor() const { return m_doc->SelAnchor(); }
    qint32 SelCount() const { return m_doc->SelCount(); }
    qint32 CaretPosition() const { return m_doc->CaretPosition(); }
    bool CreateBackup() const { return m_doc->CreateBackup(); }
    void setCreateBackup(bool on) { m_doc->setCreateBackup(on); }
    QString BackupExtension() const { return m_doc->BackupExtension(); }
    void setBackupExtension(const QString& extension) { m_doc->setBackupExtension(extension); }
    int BytesPerLine() const { return m_doc->BytesPerLine(); }
    void setBytesPerLine(int bytesPerLine) { m_doc->setBytesPerLine(bytesPerLine); }
    bool OEMTranslate() const { return m_doc->OEMTranslate(); }
    void setOEMTranslate(bool on) { m_doc->setOEMTranslate(on); }

    void Clear() { m_doc->Clear(); }
    /// Loads FileName under the wait cursor (see THexDocument::LoadFromFile).
    bool LoadFromFile();
    bool SaveToFile() { return m_doc->SaveToFile(); }
    void Undo() { m_doc->Undo(); }
    void DeleteSelection() { m_doc->DeleteSelection(); }
    void InsertBuffer(const char* data, int count, int position) {
        m_doc->InsertBuffer(data, count, position);
    }
    void AppendBuffer(const char* data, int count) { m_doc->AppendBuffer(data, count); }
    void ReplaceSelection(const char* data, int count) { m_doc->ReplaceSelection(data, count); }
    QByteArray BufferFromFile(int position, int& count) {
        return m_doc->BufferFromFile(position, count);
    }
    void MarkReadOnly(bool flag) { m_doc->MarkReadOnly(flag); }

    /// The width of "w" in the control's font, and the row height ("yY" plus 2 pixels).
    int charWidth() const { return m_w; }
    int rowHeight() const { return m_rowHeight; }
    /// A cell's rectangle in the viewport; empty when the cell is scrolled out of view.
    QRect cellRect(int col, int row) const;
    /// The cell under a viewport position; false off the cells in view.
    bool cellAt(const QPoint& pos, hexgrid::Cell& cell) const;

    int topRow() const override;
    int visibleRows() const override;
    void setTopRow(int row) override;
    int leftColumn() const override;
    int visibleColumns() const override;
    void setLeftColumn(int col) override;

Q_SIGNALS:
    void OnStateChanged(THexEditor* sender);
    void OnClick();
    void OnKeyUp();
    void OnMouseUp();
    /// A key the control itself leaves alone, before the grid's navigation sees it; the
    /// event arrives ignored, and a handler that accept()s it consumes the key.
    void OnKeyDown(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    void handleKey(QKeyEvent* event);
    void measure();
    void updateScrollBars();
    void ensureCaretVisible();
    void autoScroll();
    int columnWidth(int col) const;
    /// x of a scrolling column measured from the hex area's start.
    int columnOffset(int col) const;
    int fixedWidth() const { return 10 * m_w; }
    int maxLeftColumn() const;
    void paintCell(QPainter& painter, int col, int row, const QRect& rect);

    THexDocument* m_doc;
    int m_w = -1;
    int m_rowHeight = 0;
    QTimer m_scrollTimer;
    QPoint m_lastMouse;
    bool m_dragging = false;
};
