// The "Частота" page.
#include "app/Unit1.h"

void TForm1::CreateFreqPage() {}
void TForm1::FreqFromBuf() {}
void TForm1::FreqToBuf() {}
void TForm1::TabSheet7Show() {}
void TForm1::TabSheet7Hide() {}
void TForm1::Button2Click() {}
void TForm1::Button3Click() {}
void TForm1::Edit3Exit() {}
void TForm1::Edit4Exit() {}
void TForm1::MaskEdit3Exit() {}
void TForm1::MaskEdit4Exit() {}
void TForm1::MaskEdit5Exit() {}
