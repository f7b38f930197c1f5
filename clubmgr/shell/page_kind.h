#pragma once

#include "club_context.h"

#include <functional>

class QWidget;

// The five pages of the main window's tool bar.
enum class PageKind { Home, ClockOperation, Member, Races, Setup };

// Creates a page widget as a child of parent. Each page group provides one; app/main.cpp
// hands them to the main window:
//     window.setPageFactory(PageKind::Member, [](const ClubContext& c, QWidget* p) {
//         return new TfrmMember(c, p); });
using PageFactory = std::function<QWidget*(const ClubContext& context, QWidget* parent)>;

// A plain page that only names itself, for pages that are not built yet.
QWidget* makePlaceholderPage(const QString& title, QWidget* parent);
