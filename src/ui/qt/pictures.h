// The program's pictures: the logo, the question-mark icon and the hand pointer.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace ondrel::ui {

QPixmap LogoPicture();      // the envelope mark
QPixmap WordmarkPicture();  // the program's name as a picture
QPixmap QuestionMarkPicture();
// The program's icon, for the title bars and the task bar.
QIcon ProgramIcon();
// A hand with a raised index finger; its hot spot is the finger tip.
QCursor HandPointer();

}  // namespace ondrel::ui
