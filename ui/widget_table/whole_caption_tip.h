#pragma once

class QLabel;

namespace widget_table {

// Shows a caption's whole text as its tool tip while its place cuts it off. Measured when the
// pointer rests on it, so building a window measures no caption, and a caption rewritten or
// refitted later needs no update. A tool tip set on the label itself is shown instead.
void showWholeCaptionWhenCut(QLabel *caption);

} // namespace widget_table
