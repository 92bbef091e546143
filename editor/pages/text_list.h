#pragma once

#include <QStringList>
#include <cstddef>

namespace velmar::editor {

// A drop list's items from a table of texts.
template <std::size_t N>
QStringList textList(const char* const (&texts)[N])
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromLatin1(text);
    return list;
}

}  // namespace velmar::editor
