// Accessible interfaces of the board. The board paints its elements itself, so each cell,
// label and the clock is an interface without a QObject, created on first request and
// kept until the board goes.
#include "ui/board_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>

#include <array>
#include <string>
#include <utility>

#include "game/game.h"
#include "game/tile_pictures.h"
#include "game/view_layout.h"
#include "ui/board_view.h"

namespace tilvara::ui {

namespace {

constexpr int LabelCount = 4;
constexpr int ClockChild = CellCount + LabelCount;
constexpr int ChildCount = ClockChild + 1;

const Label& LabelAt(const ViewState& view, int n) { return *StatusLabels(view)[n]; }

// The cell whose interface has the focus: the cursor's while the board shows it, else 0.
int FocusedIndex(const BoardView& board) {
    const BoardCursor& cursor = board.view().cursor;
    return board.cursorShown() ? IndexOf(cursor.row, cursor.col) : 0;
}

void Send(QAccessibleInterface* part, QAccessible::Event type) {
    QAccessibleEvent event(part, type);
    QAccessible::updateAccessibility(&event);
}

QRect DesignRect(const Box& box) {
    return QRectF(box.left / TwipsPerPixel, box.top / TwipsPerPixel, box.width / TwipsPerPixel,
                  box.height / TwipsPerPixel)
        .toAlignedRect();
}

// One painted element of the board: child n of the board's interface.
class BoardPart final : public QAccessibleInterface,
                        public QAccessibleValueInterface,
                        public QAccessibleActionInterface {
public:
    BoardPart(BoardView* board, int n) : board_(board), n_(n) {}

    bool isValid() const override { return board_; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent()->window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(board_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        if (!board_) return {};
        const ViewState& view = board_->view();
        if (n_ < CellCount)
            return t == QAccessible::Name ? QString::fromStdString(CellName(view, n_ + 1))
                                          : QString();
        if (n_ < ClockChild)
            return t == QAccessible::Name
                       ? QString::fromStdString(LabelAt(view, n_ - CellCount).caption)
                       : QString();
        if (t == QAccessible::Name) return QString::fromUtf8(texts::access::Clock);
        if (t == QAccessible::Value) return QString::fromStdString(ClockValue(board_->view()));
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!board_) return {};
        const ViewState& view = board_->view();
        QRect r;
        if (n_ < CellCount)
            r = board_->pictureRect(n_ + 1).toAlignedRect();
        else if (n_ < ClockChild)
            r = board_->widgetRect(DesignRect(LabelAt(view, n_ - CellCount).box));
        else
            r = board_->widgetRect(DesignRect(view.Image9));
        return r.translated(board_->mapToGlobal(QPoint(0, 0)));
    }

    QAccessible::Role role() const override {
        if (n_ < CellCount) return QAccessible::Cell;
        return n_ < ClockChild ? QAccessible::StaticText : QAccessible::ProgressBar;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!board_) return s;
        if (n_ < CellCount) {
            const ViewState& view = board_->view();
            const CellPicture& pic = view.Image2[n_ + 1];
            // From the first deal on every cell is on show, empty ones too: the cursor may
            // stand on any of them.
            s.invisible = !view.cursor.shown;
            s.focusable = view.cursor.shown;
            s.focused = FocusedIndex(*board_) == n_ + 1;
            s.selectable = pic.visible;
            s.selected = pic.visible && pic.face.highlighted;
        } else if (n_ < ClockChild) {
            const Label& label = LabelAt(board_->view(), n_ - CellCount);
            s.invisible = label.caption.empty() || !label.visible;
            s.readOnly = true;
        } else {
            s.readOnly = true;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface && n_ == ClockChild)
            return static_cast<QAccessibleValueInterface*>(this);
        if (type == QAccessible::ActionInterface && n_ < CellCount)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // The clock: whole seconds left.
    QVariant currentValue() const override { return SecondsLeft(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return ClockSecondsLeft(ClockBarWidth); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

    // A cell can be clicked without a mouse.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (board_ && name == pressAction() && board_->view().Image2[n_ + 1].visible)
            emit board_->cellClicked(n_ + 1);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    int SecondsLeft() const { return board_ ? ClockSeconds(board_->view()) : 0; }

    QPointer<BoardView> board_;
    int n_;
};

class BoardAccessible final : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardView* board)
        : QAccessibleWidget(board, QAccessible::Table), board_(board) {}
    ~BoardAccessible() override {
        for (QAccessibleInterface* part : parts_)
            if (part) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(part));
    }

    int childCount() const override { return ChildCount; }

    QAccessibleInterface* child(int n) const override {
        if (n < 0 || n >= ChildCount) return nullptr;
        if (!parts_[n]) {
            parts_[n] = new BoardPart(board_, n);
            QAccessible::registerAccessibleInterface(parts_[n]);
        }
        return parts_[n];
    }

    int indexOfChild(const QAccessibleInterface* part) const override {
        for (int n = 0; n < ChildCount; ++n)
            if (parts_[n] == part) return n;
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPointF pos = board_->mapFromGlobal(QPointF(x, y));
        const int index = board_->indexAt(pos);
        return index >= 1 ? child(index - 1) : nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        const int index = FocusedIndex(*board_);
        return index > 0 ? child(index - 1) : QAccessibleWidget::focusChild();
    }

    // The board has just taken the focus, announced by the toolkit as the whole board's.
    void AnnounceFocus() {
        focused_ = FocusedIndex(*board_);
        if (focused_ > 0) Send(child(focused_ - 1), QAccessible::Focus);
    }

    // Sent as events that the desktop's accessibility bridge passes on, for what the core
    // names as changed: the focus, a selection event for the selected state, showing, and
    // the name (an emptied cell is named empty).
    void NotifyChanges(const ViewChanges& changes) {
        const ViewState& view = board_->view();
        const int focus = FocusedIndex(*board_);
        // The first call, when a client starts listening, only takes note.
        const bool known = std::exchange(known_, true);
        if (known && focus != focused_ && focus > 0) Send(child(focus - 1), QAccessible::Focus);
        focused_ = focus;
        if (!known) return;
        for (int n = 0; n < CellCount; ++n) {
            const CellPicture& pic = view.Image2[n + 1];
            if (changes.cellsShown)
                Send(child(n),
                     view.cursor.shown ? QAccessible::ObjectShow : QAccessible::ObjectHide);
            if (changes.selected[n + 1])
                Send(child(n), pic.visible && pic.face.highlighted ? QAccessible::SelectionAdd
                                                                   : QAccessible::SelectionRemove);
            if (changes.named[n + 1]) Send(child(n), QAccessible::NameChanged);
        }
        for (int n = 0; n < LabelCount; ++n)
            if (changes.labels[n]) Send(child(CellCount + n), QAccessible::NameChanged);
        if (changes.seconds) {
            QAccessibleValueChangeEvent event(child(ClockChild), ClockSeconds(view));
            QAccessible::updateAccessibility(&event);
        }
    }

private:
    BoardView* board_;
    mutable std::array<QAccessibleInterface*, ChildCount> parts_{};
    int focused_ = 0;  // the cell last announced as focused
    bool known_ = false;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* board = qobject_cast<BoardView*>(object)) return new BoardAccessible(board);
    return nullptr;
}

}  // namespace

void NotifyBoardChanges(BoardView& board, const ViewChanges& changes) {
    if (!QAccessible::isActive()) return;
    if (auto* iface = dynamic_cast<BoardAccessible*>(QAccessible::queryAccessibleInterface(&board)))
        iface->NotifyChanges(changes);
}

void NotifyBoardFocus(BoardView& board) {
    if (!QAccessible::isActive()) return;
    if (auto* iface = dynamic_cast<BoardAccessible*>(QAccessible::queryAccessibleInterface(&board)))
        iface->AnnounceFocus();
}

void InstallBoardAccessible() {
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
}

}  // namespace tilvara::ui
