// Layout of the game window, the wiring of its handlers, and Form_Load.
// All sizes are twips (15 to a logical pixel).
#include "form1.h"

#include "ui/int16.h"
#include "ui/text.h"

namespace
{

const ui::Font arialTile{"Arial", 14.25f, 700, 0};
const ui::Font arialLabel{"Arial", 12.0f, 700, 0};
const ui::Font comicStatus{"Comic Sans MS", 14.25f, 400, 0};

void layOutLabel(ui::Label &label, float left, float top, float width, float height,
                 const std::string &caption, const ui::Font &font)
{
    label.setGeometry(left, top, width, height);
    label.setCaption(caption);
    label.setFont(font);
    label.setAlignment(ui::Alignment::Center);
    label.setTransparent(true);
    label.setForeColor(ui::colors::highlightText);
}

} // namespace

Form1::Form1() : ui::Form("Form1")
{
    setCaption("Quarvel");
    setWidth(5730);
    setHeight(6570);
    setBackColor(ui::colors::highlight);
    setIcon(":/icons/face.ico");

    layOutLabel(Label1, 360, 360, 5175, 615, "Arrange the numbers from 1 to 8", comicStatus);

    Picture1.setGeometry(1320, 1320, 3050, 3050);
    Picture1.setTabIndex(0);

    for (Int16 i = 0; i < Command1.count(); ++i) {
        ui::CommandButton &tile = Command1(i);
        tile.setGeometry(ui::mod(i, 3) * 1000, ui::idiv(i, 3) * 1000, 990, 990);
        tile.setCaption(ui::str(ui::add(i, 1)));
        tile.setGraphical(true);
        tile.setBackColor(ui::colors::lightYellow);
        tile.setFont(arialTile);
        tile.setTabIndex(ui::add(i, 1));
        tile.onClick = [this, i] { Command1_Click(i); };
        tile.onKeyPress = [this, i](Int16 &key) { Command1_KeyPress(i, key); };
    }

    layOutLabel(Label2, 1320, 4920, 1815, 375, "Total Clicks:", arialLabel);
    layOutLabel(Label3, 3240, 4920, 735, 375, "0", arialLabel);
    Label3.setBordered(true);

    Command2.setGeometry(360, 5640, 2055, 495);
    Command2.setCaption("&Start the game again");
    Command2.setGraphical(true);
    Command2.setBackColor(ui::colors::buttonFace);
    Command2.setTabIndex(9);
    Command3.setGeometry(3120, 5640, 2055, 495);
    Command3.setCaption("&Exit the game");
    Command3.setGraphical(true);
    Command3.setBackColor(ui::colors::buttonFace);
    Command3.setTabIndex(10);

    const float imageHome[4][2] = {{1320, 960}, {4440, 0}, {5400, 4440}, {960, 6240}};
    for (Int16 i = 0; i < Image1.count(); ++i) {
        ui::Image &image = Image1(i);
        image.setGeometry(imageHome[i][0], imageHome[i][1], 300, 300);
        image.setPicture(":/icons/smiley.ico");
        image.setVisible(false);
    }

    Timer1.setInterval(10);

    mnuGame.setCaption("&Game");
    mnuStart.setCaption("&Start a new game");
    mnuExit.setCaption("&Exit");
    mnuTip.setCaption("&Tip");
    mnushort.setCaption("Short&cut");

    onLoad = [this] { Form_Load(); };
    onMouseMove = [this](Int16 b, Int16 s, float x, float y) { Form_MouseMove(b, s, x, y); };
    Command2.onClick = [this] { Command2_Click(); };
    Command2.onMouseMove = [this](Int16 b, Int16 s, float x, float y) {
        Command2_MouseMove(b, s, x, y);
    };
    Command3.onClick = [this] { Command3_Click(); };
    Command3.onMouseMove = [this](Int16 b, Int16 s, float x, float y) {
        Command3_MouseMove(b, s, x, y);
    };
    mnuStart.onClick = [this] { mnuStart_Click(); };
    mnuExit.onClick = [this] { mnuExit_Click(); };
    mnushort.onClick = [this] { mnushort_Click(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void Form1::Form_Load()
{
    create();
    clickNum = 0;
}
