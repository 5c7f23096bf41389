// The functions that add each concern's menus, dialogs, strings and bitmaps to the program's module.
#pragma once

class CResourceModule;

void AddViewResources(CResourceModule& module);
void AddFrameResources(CResourceModule& module);
void AddEditResources(CResourceModule& module);
void AddAboutResources(CResourceModule& module);
void AddBrowserResources(CResourceModule& module);
void AddNavigationResources(CResourceModule& module);
void AddDocumentResources(CResourceModule& module);
void AddProjectResources(CResourceModule& module);
void AddToolsResources(CResourceModule& module);
