// The whole framework in one include, for the program's sources.
#pragma once

#include "framework/AfxModule.h"
#include "framework/CCmdTarget.h"
#include "framework/CDC.h"
#include "framework/CDialog.h"
#include "framework/CException.h"
#include "framework/CFileDialog.h"
#include "framework/CGdiObject.h"
#include "framework/CHotKeyCtrl.h"
#include "framework/CMenu.h"
#include "framework/CObject.h"
#include "framework/CPoint.h"
#include "framework/CRect.h"
#include "framework/CString.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/CDHtmlDialog.h"
