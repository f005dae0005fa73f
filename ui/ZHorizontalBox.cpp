#include "ZHorizontalBox.h"

ZHorizontalBox::~ZHorizontalBox() = default;
