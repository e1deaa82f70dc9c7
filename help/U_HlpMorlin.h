#pragma once

#include <QString>
#include <QStringList>

// The texts of the built-in help, one block of lines per topic of the help tree.

// Topics with a text; the group nodes of the tree have none.
inline constexpr int HelpTopicCount = 14;

// A new list of the lines of block `n`, 1 to HelpTopicCount; empty for any other number.
QStringList HelpTopicBlock(int n);

// The block of the tree node whose text is exactly `nodeText`; 0 for a group node or any
// other text.
int HelpTopicOfNode(const QString& nodeText);
