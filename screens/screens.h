// The front-end screens run by main.
#pragma once

enum MenuItem {
    MENU_QUIT = 0,
    MENU_SETUP = 1,
    MENU_HISCORE = 2,
    MENU_INSTRUCTIONS = 3,
    MENU_PLAY = 4
};

int MainMenu(int initial);
void SetupScreen();
void HiScoreScreen();
void EnterNameScreen();
void CongratulationsScreen();
void PlayIntroMovie();
void ShowInstructions();
void ShowCredits();
