#pragma once
// The check a settings section must pass after reading any file: every
// number holds a value its table allows (in range, the fallback or the
// default it had before the read) and every cut text fits its width.
#include <gtest/gtest.h>

#include "foundation/TabelaNastaw.h"

namespace fuzz {

inline void SprawdzSekcje(const OpisSekcji& sekcja) {
    for (const OpisKlucza& k : sekcja.klucze) {
        if (k.czytaj) continue;  // keys with their own syntax
        qint64 v = 0;
        if (const quint8* b = k.jako<quint8>()) v = *b;
        else if (const qint32* l = k.jako<qint32>()) v = *l;
        else if (k.typ() == TypKlucza::Tekst && k.maxDlugosc > 0) {
            EXPECT_LE(k.jako<QString>()->size(), k.maxDlugosc) << k.klucz.toStdString();
            continue;
        } else continue;
        const bool dozwolona = (v >= k.minimum && v <= k.maksimum) || v == k.zastepcza || v == k.domyslnaLiczba;
        EXPECT_TRUE(dozwolona) << sekcja.nazwa.toStdString() << '/' << k.klucz.toStdString() << " = " << v;
    }
}

}  // namespace fuzz
