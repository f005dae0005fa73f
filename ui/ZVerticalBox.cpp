#include "ZVerticalBox.h"

ZVerticalBox::~ZVerticalBox() = default;
