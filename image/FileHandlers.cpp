// Image files: "Сохранить как..." and "Открыть...".
#include "app/Unit1.h"

void TForm1::SaveFileExecute() {}
void TForm1::LoadFileExecute() {}
