// The window's programming-engine handlers.
#include "app/Unit1.h"

void TForm1::Write258Execute() {}
void TForm1::Read258Execute() {}
void TForm1::WriteBlockExecute() {}
void TForm1::ReadBlockExecute() {}
void TForm1::WriteCurExecute() {}
void TForm1::ReadCurExecute() {}
void TForm1::CancelProgExecute() {}
void TForm1::Timer1Timer() {}
void TForm1::ApplicationEvents1Idle() {}
void TForm1::SetTickInterval(int ms) { Timer1.setInterval(ms); }
