#pragma once
#include "dictionaries/DictionaryLines.h"

#include <QList>

#include <optional>

namespace polyx {

// Empties `fusion`, then for each external line in order whose key the
// internal dictionary also gives a value: external value "=" internal value.
// "<_CODE>" (with its case) and empty keys or values give nothing. A code
// repeated under the key comparison throws, the lines before it kept.
// Gives the rows (from 1) of the lines made from "<_AUTEUR>" and "<_TITRE>".
QList<int> GenerateFusion(const DictionaryLines& external, const DictionaryLines& internal,
                          DictionaryLines& fusion);

// A fusion as the generation left it, with the rows of its header pairs.
struct GeneratedFusion {
    QStringList lines;
    QList<int> headerRows;
};

// The rows of `fusion` holding the header pairs, which a translation never
// applies. While the fusion is as last generated, the generation tells;
// otherwise (read from a .PLX file, sorted or compressed since) they are
// taken to be rows 1 and 2, where a compressed pair of dictionaries puts them.
QList<int> FusionHeaderRows(const DictionaryLines& fusion, const std::optional<GeneratedFusion>& generated);

// The fusion file's name (no folder): external label "_" internal label ".PLX".
QString FusionFileName(const QString& externalLabel, const QString& internalLabel);

} // namespace polyx
