// Forced into every translation unit of a UI-free core target.
// A core that reaches Qt (directly or through a dependency) stops the build here.
#pragma once
#if defined(QT_CORE_LIB) || defined(QT_GUI_LIB) || defined(QT_WIDGETS_LIB)
#error "A UI-free core target must not depend on Qt"
#endif
