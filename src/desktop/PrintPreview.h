#pragma once

#include "platform/PreviewBackend.h"

// The preview window: the pages of a print job as they will be printed, with 印刷, PDFに保存 and
// 閉じる. Modal; returns the teacher's choice (閉じる also when the window is closed).
namespace PrintPreview {
PreviewBackend::Choice ask(const PreviewBackend::Pages& pages);
}
