#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <span>

struct GuiTestClass {
    const char* pszName;
    bool bNeedsCluster;
    std::function<std::unique_ptr<QObject>()> create;
};

std::span<const GuiTestClass> GuiTestClasses();
