#include "IDeleteFileNotify.h"

IDeleteFileNotify::~IDeleteFileNotify() = default;
