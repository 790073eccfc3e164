#pragma once
// A text field of a fixed-width record: whatever is stored is cut to the
// field's width, so a record copied into a file or another record never
// carries more than its field holds.
#include <QString>

#include "foundation/Text.h"

template <int N>
class FixedText {
public:
    static constexpr int width = N;

    FixedText() = default;
    FixedText(const QString& text) : s_(cutTo(text, N)) {}
    FixedText(const char* text) : FixedText(QString::fromUtf8(text)) {}
    FixedText& operator=(const QString& text) {
        s_ = text.size() > N ? text.left(N) : text;
        return *this;
    }
    FixedText& operator=(const char* text) { return *this = QString::fromUtf8(text); }

    operator const QString&() const { return s_; }
    const QString& str() const { return s_; }
    bool isEmpty() const { return s_.isEmpty(); }
    qsizetype size() const { return s_.size(); }
    void clear() { s_.clear(); }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.s_ == b.s_; }
    friend bool operator==(const FixedText& a, const QString& b) { return a.s_ == b; }

private:
    QString s_;
};
