#pragma once

// Our forms keep their templates' positions in dialog units; this turns them into pixels
// with the widget's own font, so texts fit whatever font the desktop uses.

class QWidget;

// Converts the geometry of the form and of each of its direct children.
void ApplyDialogUnits(QWidget* pForm);
