#pragma once
#include "dictionaries/DictionaryLines.h"

namespace polyx {

// Empties `fusion`, then for each external line in order whose key the
// internal dictionary also gives a value: external value "=" internal value.
// "<_CODE>" (with its case) and empty keys or values give nothing. A code
// repeated under the key comparison throws, the lines before it kept.
void GenerateFusion(const DictionaryLines& external, const DictionaryLines& internal,
                    DictionaryLines& fusion);

// The fusion file's name (no folder): external label "_" internal label ".PLX".
QString FusionFileName(const QString& externalLabel, const QString& internalLabel);

} // namespace polyx
