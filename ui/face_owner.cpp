#include "face_owner.h"

namespace {
FaceOwner* g_innermost = nullptr;
}  // namespace

FaceOwner::FaceOwner(QWidget* window, std::function<void()> refresh)
    : window_(window), refresh_(std::move(refresh)), outer_(g_innermost) {
  g_innermost = this;
}

FaceOwner::~FaceOwner() {
  g_innermost = outer_;
}

QWidget* FaceOwner::Over(QWidget* fallback) {
  if (!g_innermost) return fallback;
  if (g_innermost->refresh_) g_innermost->refresh_();
  return g_innermost->window_;
}
