#include "IDeleteFileNotify.h"

IDeleteFileNotify::~IDeleteFileNotify() = default;

void IDeleteFileNotify::OnDeleteFailed(const std::wstring&, DWORD) {}
