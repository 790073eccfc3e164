#pragma once
// A label of the main window that does something when clicked (the date
// labels open the RDS texts, the RDS label clears them). The click is the
// label's own: it never reaches the window's input event.
#include <QLabel>
#include <QMouseEvent>

#include <functional>

class EtykietaOkna final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> Klik;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && Klik) {
            event->accept();
            Klik();
            return;
        }
        QLabel::mousePressEvent(event);
    }
};
