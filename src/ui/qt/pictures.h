// The program's pictures: the logo, the question-mark icon and the hand pointer.
#pragma once

#include <QCursor>
#include <QPixmap>

namespace ondrel::ui {

QPixmap LogoPicture();      // the envelope mark
QPixmap WordmarkPicture();  // the program's name as a picture
QPixmap QuestionMarkPicture();
// A hand with a raised index finger; its hot spot is the finger tip.
QCursor HandPointer();

}  // namespace ondrel::ui
