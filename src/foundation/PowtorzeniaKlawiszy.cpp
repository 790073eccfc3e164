#include "foundation/PowtorzeniaKlawiszy.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

class FiltrPowtorzen final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* cel, QEvent* e) override {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride) return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        return k->isAutoRepeat() && !PowtorzenieDozwolone(k->key(), cel);
    }
};

}  // namespace

bool PowtorzenieDozwolone(int klawisz, const QObject* cel) {
    switch (klawisz) {
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Left: case Qt::Key_Right:
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home: case Qt::Key_End:
        return true;
    case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Escape:
        return false;
    default:
        // Typing in a text field repeats as anywhere else.
        return qobject_cast<const QLineEdit*>(cel) || qobject_cast<const QAbstractSpinBox*>(cel) ||
               qobject_cast<const QTextEdit*>(cel) || qobject_cast<const QPlainTextEdit*>(cel);
    }
}

void FiltrujPowtorzeniaKlawiszy() {
    static FiltrPowtorzen* filtr = nullptr;
    if (filtr || !qApp) return;
    filtr = new FiltrPowtorzen(qApp);
    qApp->installEventFilter(filtr);
}
