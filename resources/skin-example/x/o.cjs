/* An example skin: a Qt style sheet. Copy the folder "x" beside the program to use it. */

QWidget#Form1 {
    background-color: #e8eef3;
}

QGroupBox {
    border: 1px solid #9fb3c4;
    border-radius: 6px;
    margin-top: 10px;
    padding-top: 4px;
    background-color: #f4f7fa;
}

QGroupBox::title {
    subcontrol-origin: margin;
    left: 8px;
    padding: 0 4px;
    color: #1f4e79;
}

QPushButton {
    color: #ffffff;
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2f7fb8, stop:1 #1f5f8f);
    border: 1px solid #17476b;
    border-radius: 5px;
}

QPushButton:hover {
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a93d1, stop:1 #276fa6);
}

QPushButton:pressed {
    background-color: #17476b;
}

QPushButton:disabled {
    color: #c8d3dc;
    background-color: #8aa4b8;
}

QTreeView, QLineEdit {
    background-color: #ffffff;
    border: 1px solid #9fb3c4;
    border-radius: 3px;
    selection-background-color: #2f7fb8;
}

QHeaderView::section {
    background-color: #d5e1eb;
    color: #1f4e79;
    border: none;
    border-right: 1px solid #9fb3c4;
    padding: 2px 4px;
}

QProgressBar {
    border: 1px solid #9fb3c4;
    border-radius: 5px;
    background-color: #ffffff;
    text-align: center;
    color: #10324d;
}

QProgressBar::chunk {
    background-color: #7cc0e8;
    border-radius: 4px;
}
