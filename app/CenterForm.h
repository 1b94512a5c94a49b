#pragma once

class QWidget;

// Moves a window so it is centred on its screen; its size stays.
void CenterForm(QWidget& form);
