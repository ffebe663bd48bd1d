#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace qv {

// The program's string table, by id; only the entries the program reaches are kept.
std::optional<QString> ResString(int id);

// The caption pass a window runs when it loads: captions and tooltips that hold a number at
// design time (a "tag" property, a menu caption, a toolbar tooltip) are replaced by that entry
// of the string table. Every replacement that cannot be made is skipped, so the design texts
// and fonts stay where the table has nothing.
void LoadResStrings(QWidget* form);

}  // namespace qv
