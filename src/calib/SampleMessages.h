#pragma once
// The fixed messages of the sample table, its grid and its fits.
#include "calib/SampleTable.h"

#include <QString>

// A fit over samples whose reference values are all alike (or fewer than two samples).
inline QString AllAlikeMessage()
{
    return QStringLiteral("zle albo wszystkie takie same dane");
}

// Delete or edit with the grid's selection below the last sample.
inline QString NoWayMessage()
{
    return QStringLiteral("No way!");
}

// A registration refused because the table is full.
inline QString SampleTableFullMessage()
{
    return QString::fromUtf8("Tablica próbek jest pełna: można zarejestrować najwyżej ")
        + QString::number(SampleTable::kCapacity)
        + QString::fromUtf8(" próbek. Próbka nie została zapisana. Usuń zbędne próbki albo "
                            "zacznij od nowa przyciskiem \"Reset\".");
}
