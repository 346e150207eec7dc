// The "plain windows" reference for tools/measure-startup.py: ordinary Qt
// Widgets code that opens one plain dialog per window of the program, one at
// a time in the order of the measuring tour, each the same size as the
// program's window and holding the same kinds and numbers of controls, in the
// same faces. Its peak memory is what Qt itself asks for windows like these.
//
// It holds what a careful program holds and opens what the tour opens: the
// reference sheet is drawn only as tall as its view (a band), no menu or list
// pop-up is opened, and the only message box is the one the tour answers (the
// axis's "Save the changes"). The axis window stays open while its tools open
// over it one at a time, as in the tour, where the peak falls. Beside the
// hello-world's tray icon, a strip of picture buttons stays open throughout.
// Each window is shown until it is painted; then "shown <title>" is written to
// the standard output and the next window waits for a line on the standard
// input (so the measuring script can walk the window's accessibility tree as
// it does the program's). "done" after the last window waits the same way, so
// the reader can take the peak memory. At the end of the input every step
// follows at once. Build:
// g++ -std=c++17 -fPIC plainwindows.cpp $(pkg-config --cflags --libs Qt6Widgets)

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSocketNotifier>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

// clang-format off
enum Kind { Label, Link, Edit, Combo, Button, Picture, Check, Radio, ScrollBar, List, Tree, Table, TextEdit, Browser,
            ScrolledPicture, Plot };
// clang-format on
enum Face { Plain, Bold, Mono, SerifItalic, Larger };

// count controls of one kind; items: rows of a list/tree/combo, characters of
// a browser page; columns of a tree/table; size of a picture, plot or button.
struct Group
{
    Kind kind;
    int count;
    Face face = Plain;
    int items = 0;
    int columns = 1;
    int width = 0;
    int height = 0;
};

struct Page
{
    const char *name;
    std::vector<Group> groups;
};

// A window: its title and size, its menus and tool bar buttons, its pages (a
// tab each when more than one); a message box when message is set; the
// windows opened over it, one at a time, while it stays open.
struct WindowDesign
{
    const char *title;
    int width, height;
    int menus;
    int toolButtons;
    std::vector<Page> pages;
    const char *message = nullptr;
    int messageButtons = 0;
    std::vector<WindowDesign> over = {};
};

// The program's windows as the tour leaves them, counted in its accessibility
// tree: {title, width, height, menus, tool buttons, {pages}}.
// clang-format off
const std::vector<WindowDesign> Windows = {
    {"Units Calculator", 720, 470, 3, 2,
     {{"", {{Button, 2, Plain, 0, 1, 56, 32}, {Button, 1, Plain, 0, 1, 165, 36}, {Check, 3}, {Label, 1}, {Edit, 1},
            {ScrollBar, 1}, {List, 1, Plain, 28, 1, 256, 390}, {Edit, 1, Mono}, {Combo, 1, Plain, 14},
            {Tree, 1, Mono, 13, 3, 434, 300}}}}},
    {"TORVANE Toolbar (TM)", 583, 309, 0, 0,
     {{"", {{Label, 1, Larger}, {Label, 5}, {Link, 5}, {Button, 1}, {Picture, 1, Plain, 0, 1, 48, 48}}}}},
    {"Torvane Toolbar Help", 856, 580, 0, 0,
     {{"", {{Button, 3}, {List, 1, Plain, 11, 1, 226, 539}, {Browser, 1, Plain, 3300, 1, 614, 539}}}}},
    {"Inertia calculator", 689, 437, 4, 0,
     {{"", {{Combo, 1, Plain, 6}, {Picture, 1, Plain, 0, 1, 221, 181}, {Radio, 2}, {Label, 8}, {Edit, 5, Mono},
            {Combo, 6, Plain, 14}, {Label, 15, SerifItalic}, {Label, 5, Mono}, {Button, 10, Plain, 0, 1, 30, 30},
            {Button, 2, Plain, 0, 1, 56, 32}, {Button, 1, Plain, 0, 1, 165, 36}, {Button, 1}, {Check, 1},
            {ScrollBar, 1}}}}},
    {"Set default units", 298, 172, 0, 0, {{"", {{Label, 4}, {Combo, 4, Plain, 14}, {Button, 2}}}}},
    {"Material density select", 383, 465, 2, 0,
     {{"", {{Button, 2, Plain, 0, 1, 56, 32}, {Button, 1, Plain, 0, 1, 165, 36}, {Button, 3}, {Label, 4},
            {Combo, 2, Plain, 11}, {List, 1, Mono, 111, 1, 359, 196}, {Edit, 2}, {Check, 1}, {ScrollBar, 1}}}}},
    {"Trigonometric/Calculus Reference", 430, 396, 0, 0, {{"", {{ScrolledPicture, 1, Plain, 0, 1, 400, 7104}}}}},
    {"Untitled \u2014 Axis sizing", 922, 697, 4, 0,
     {{"Inertia", {{Table, 1, Plain, 0, 9, 866, 330}, {Button, 8, Plain, 0, 1, 30, 30}, {Button, 6}, {Edit, 4, Mono},
                   {Combo, 3, Plain, 14}, {Label, 14}, {Label, 3, Bold}, {Check, 1}, {ScrollBar, 1}}},
      {"Move", {{Edit, 14, Mono}, {Label, 39}, {Label, 4, Bold}, {Combo, 16, Plain, 10},
                {Button, 16, Plain, 0, 1, 30, 30}, {Plot, 1, Bold, 0, 1, 330, 280}}},
      {"Motor", {{Edit, 16, Mono}, {Label, 24}, {Combo, 10, Plain, 10}, {Check, 2}, {Table, 1, Plain, 8, 2, 200, 200},
                 {Table, 1, Plain, 8, 2, 200, 200}, {Plot, 1, Bold, 0, 1, 330, 280}}}},
     nullptr, 0,
     // The tools the tour opens over the axis, from its Tools menu.
     {{"Best gearbox ratio", 720, 640, 0, 0,
       {{"", {{Plot, 1, Bold, 0, 1, 680, 420}, {Label, 2}, {Combo, 1, Plain, 3}, {Button, 2}}}}},
      {"Motor and gearbox tables", 900, 480, 2, 0,
       {{"Motors", {{Table, 1, Plain, 5, 12, 860, 360}, {Button, 5}, {Label, 1}}},
        {"Gearboxes", {{Table, 1, Plain, 5, 10, 860, 360}, {Button, 5}, {Label, 1}}}}},
      {"Compare motors", 960, 640, 0, 0,
       {{"", {{List, 2, Plain, 5, 1, 200, 160}, {Label, 3}, {Combo, 1, Plain, 10},
              {Table, 1, Plain, 10, 12, 920, 380}, {Button, 2}}}}}}},
    {"Untitled* \u2014 Axis sizing", 0, 0, 0, 0, {}, "Save the changes to this axis?", 3},
    {"About Velmora", 480, 330, 0, 0,
     {{"", {{Picture, 1, Plain, 0, 1, 330, 72}, {Label, 2}, {Link, 1}, {Button, 1}}}}},
    {"Error Handler", 442, 390, 0, 0,
     {{"", {{Label, 12}, {Edit, 1}, {TextEdit, 2, Plain, 0, 1, 269, 95}, {Button, 3, Plain, 0, 1, 53, 41}}}}},
};
// clang-format on

const char Words[] =
    "The quick brown fox jumps over the lazy dog while the torque, inertia and speed are sized. ";

QFont fontFor(Face face, const QFont &base)
{
    QFont font = base;
    if (face == Bold) {
        font.setBold(true);
    } else if (face == Mono) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(base.pointSizeF());
    } else if (face == SerifItalic) {
        font = QFont(QStringLiteral("Serif"));
        font.setStyleHint(QFont::Serif);
        font.setItalic(true);
        font.setPointSizeF(base.pointSizeF() * 1.5);
    } else if (face == Larger) {
        font.setBold(true);
        font.setPointSizeF(base.pointSizeF() * 1.6);
    }
    return font;
}

QPixmap picture(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawEllipse(QRect(4, 4, width - 8, height - 8));
    return pixmap;
}

// The reference sheet: a heading, then rows of formulas in italic and upright serif text.
QPixmap sheet(int width, int height, const QFont &base)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    QFont heading = fontFor(Bold, base), upright(QStringLiteral("Serif"));
    upright.setStyleHint(QFont::Serif);
    upright.setPointSizeF(base.pointSizeF());
    QFont italic = upright;
    italic.setItalic(true);
    painter.setFont(heading);
    painter.drawText(20, 24, QStringLiteral("Trigonometric / Calculus Reference"));
    for (int y = 48; y < height; y += 20) {
        painter.setFont(italic);
        painter.drawText(20, y, QStringLiteral("sin(a + b) ="));
        painter.setFont(upright);
        painter.drawText(120, y, QStringLiteral("sin a cos b + cos a sin b  %1").arg(y));
    }
    return pixmap;
}

class PlotArea : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), Qt::white);
        const int half = height() / 2;
        for (int plot = 0; plot < 2; ++plot) {
            const QRect box(40, 20 + plot * half, width() - 60, half - 50);
            painter.drawRect(box);
            painter.drawText(box.left(), box.top() - 4,
                             plot ? QStringLiteral("Torque") : QStringLiteral("Speed"));
            QPolygonF line;
            for (int x = 0; x <= box.width(); x += 4)
                line << QPointF(box.left() + x,
                                box.bottom() - box.height() * std::min(1.0, 3.0 * x / box.width()));
            painter.drawPolyline(line);
        }
    }
};

bool large(const Group &group)
{
    return group.height > 60 && group.kind != ScrolledPicture;
}

QWidget *sized(const Group &group, QWidget *widget)
{
    // Large controls take up to their window's size; small ones share what is left.
    if (large(group))
        widget->setMaximumSize(group.width, group.height);
    widget->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    return widget;
}

QWidget *control(const Group &group, int index, QWidget *parent)
{
    const QString text = QStringLiteral("Control %1").arg(index);
    QWidget *widget = nullptr;
    switch (group.kind) {
    case Label:
        widget = new QLabel(text, parent);
        break;
    case Link:
        widget = new QLabel(
            QStringLiteral("<a href=\"https://example.com/%1\">example.com/%1</a>").arg(index), parent);
        break;
    case Edit:
        widget = new QLineEdit(QStringLiteral("12.75"), parent);
        break;
    case Combo: {
        auto *combo = new QComboBox(parent);
        for (int i = 0; i < group.items; ++i)
            combo->addItem(QStringLiteral("unit %1").arg(i));
        widget = combo;
        break;
    }
    case Button:
        if (group.width) {
            auto *button = new QPushButton(parent);
            button->setIcon(picture(group.width - 8, group.height - 8));
            button->setIconSize(QSize(group.width - 8, group.height - 8));
            widget = button;
        } else {
            widget = new QPushButton(text, parent);
        }
        break;
    case Picture: {
        auto *label = new QLabel(parent);
        label->setPixmap(picture(group.width, group.height));
        widget = label;
        break;
    }
    case Check:
        widget = new QCheckBox(text, parent);
        break;
    case Radio:
        widget = new QRadioButton(text, parent);
        break;
    case ScrollBar:
        widget = new QScrollBar(Qt::Vertical, parent);
        break;
    case List: {
        auto *list = new QListWidget(parent);
        for (int i = 0; i < group.items; ++i)
            list->addItem(QStringLiteral("Row %1 of the list").arg(i));
        widget = list;
        break;
    }
    case Tree: {
        auto *tree = new QTreeWidget(parent);
        tree->setColumnCount(group.columns);
        for (int i = 0; i < group.items; ++i) {
            QStringList cells;
            for (int c = 0; c < group.columns; ++c)
                cells << QStringLiteral("%1.%2e+03").arg(i).arg(c);
            // The face is the value column's; headings and names keep the window's.
            auto *item = new QTreeWidgetItem(cells);
            item->setFont(1, fontFor(group.face, parent->font()));
            tree->addTopLevelItem(item);
        }
        widget = tree;
        break;
    }
    case Table:
        widget = new QTableWidget(group.items, group.columns, parent);
        break;
    case TextEdit:
        widget = new QPlainTextEdit(QString::fromLatin1(Words), parent);
        break;
    case Browser: {
        QString html = QStringLiteral("<h1>Contents</h1>");
        while (html.size() < group.items)
            html += QStringLiteral("<h2>A section</h2><p>%1%1%1</p><ul><li>%1</li></ul>")
                        .arg(QLatin1String(Words));
        auto *browser = new QTextBrowser(parent);
        browser->setHtml(html);
        widget = browser;
        break;
    }
    case ScrolledPicture: {
        auto *area = new QScrollArea(parent);
        auto *label = new QLabel;
        // Only the band in view is drawn, as a careful program draws a long sheet.
        label->setPixmap(sheet(group.width, 396, parent->font()));
        area->setWidget(label);
        widget = area;
        break;
    }
    case Plot:
        widget = new PlotArea(parent);
        break;
    }
    if (group.kind != Tree)
        widget->setFont(fontFor(group.face, parent->font()));
    return sized(group, widget);
}

// Small controls in a grid, large ones side by side beside it where the
// window is wide enough, else below it.
QWidget *page(const Page &design, const QSize &window, QWidget *parent)
{
    int cells = 0;
    QSize big(0, 0);
    for (const Group &group : design.groups) {
        if (large(group))
            big = QSize(big.width() + group.width * group.count, std::max(big.height(), group.height));
        else
            cells += group.count;
    }
    const bool beside = big.width() + 150 <= window.width();
    const int rows = std::max(1, (window.height() - 80 - (beside ? 0 : big.height())) / 30);
    const int columns = std::max(2, (cells + rows - 1) / rows);

    auto *widget = new QWidget(parent);
    auto *layout = new QBoxLayout(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, widget);
    auto *grid = new QGridLayout;
    auto *bigOnes = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addLayout(bigOnes, 1);
    int cell = 0;
    for (const Group &group : design.groups) {
        for (int i = 0; i < group.count; ++i) {
            QWidget *w = control(group, i, widget);
            if (large(group)) {
                bigOnes->addWidget(w);
            } else {
                grid->addWidget(w, cell / columns, cell % columns);
                ++cell;
            }
        }
    }
    return widget;
}

void waitPainted(QWidget *widget)
{
    struct Watch : QObject
    {
        bool painted = false;
        bool eventFilter(QObject *, QEvent *event) override
        {
            painted |= event->type() == QEvent::Paint;
            return false;
        }
    } watch;
    widget->installEventFilter(&watch);
    QEventLoop loop;
    QTimer timeout;
    timeout.start(5000);
    while (!watch.painted && timeout.isActive())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    widget->removeEventFilter(&watch);
    // The backing store is flushed to the screen right after the paint.
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
}

// Tells the reader a step is done and waits for a line from it, serving the
// windows meanwhile; once the input has ended it goes on at once.
void report(const QString &step)
{
    std::printf("%s\n", qPrintable(step));
    std::fflush(stdout);
    static bool inputEnded = false;
    if (inputEnded)
        return;
    QEventLoop loop;
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &loop, [&]() {
        std::string line;
        if (!std::getline(std::cin, line))
            inputEnded = true;
        loop.quit();
    });
    loop.exec();
}

void shown(const char *title)
{
    report(QStringLiteral("shown ") + QString::fromUtf8(title));
}

void open(const WindowDesign &design)
{
    if (design.message) {
        QMessageBox box(
            QMessageBox::Warning, QString::fromUtf8(design.title), QString::fromUtf8(design.message),
            design.messageButtons > 1 ? QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel
                                      : QMessageBox::Ok);
        box.show();
        waitPainted(&box);
        shown(design.title);
        return;
    }
    QDialog window;
    window.setWindowTitle(QString::fromUtf8(design.title));
    auto *layout = new QVBoxLayout(&window);
    if (design.menus) {
        auto *bar = new QMenuBar(&window);
        for (int m = 0; m < design.menus; ++m) {
            QMenu *menu = bar->addMenu(QStringLiteral("Menu %1").arg(m));
            for (int a = 0; a < 5; ++a)
                menu->addAction(QStringLiteral("Action %1").arg(a));
        }
        layout->setMenuBar(bar);
    }
    if (design.toolButtons) {
        auto *tools = new QToolBar(&window);
        for (int t = 0; t < design.toolButtons; ++t)
            tools->addAction(QIcon(picture(24, 24)), QStringLiteral("Tool %1").arg(t));
        layout->addWidget(tools);
    }
    QTabWidget *tabs = design.pages.size() > 1 ? new QTabWidget(&window) : nullptr;
    std::vector<QWidget *> pages;
    for (const Page &p : design.pages) {
        pages.push_back(page(p, QSize(design.width, design.height), &window));
        if (tabs)
            tabs->addTab(pages.back(), QString::fromLatin1(p.name));
        else
            layout->addWidget(pages.back());
    }
    if (tabs)
        layout->addWidget(tabs);
    window.resize(design.width, design.height);
    window.show();
    waitPainted(&window);
    for (size_t p = 1; p < pages.size(); ++p) {
        tabs->setCurrentIndex(int(p));
        waitPainted(pages[p]);
    }
    shown(design.title);
    for (const WindowDesign &over : design.over)
        open(over);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QPixmap icon(32, 32);
    icon.fill(Qt::darkCyan);
    QSystemTrayIcon tray{QIcon(icon)};
    tray.show();

    // The strip of picture buttons, open throughout.
    const Page buttons{"", {{Button, 1, Plain, 0, 1, 165, 36}, {Button, 5, Plain, 0, 1, 36, 36}}};
    QWidget strip;
    strip.setWindowTitle(QStringLiteral("Plain strip"));
    auto *row = new QHBoxLayout(&strip);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(page(buttons, QSize(344, 36), &strip));
    strip.resize(344, 36);
    strip.show();
    waitPainted(&strip);
    shown("Plain strip");

    for (const WindowDesign &design : Windows)
        open(design);
    report(QStringLiteral("done"));
    return 0;
}
