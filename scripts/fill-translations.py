#!/usr/bin/env python3
"""Fills translations/zorkvm_<code>.ts from the table below after `update_translations` (lupdate)
added or changed source texts. The English file repeats each source text unless the table says
otherwise; a text without a Korean entry stays "unfinished" and fails the translation test."""
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

# (context, source text) -> Korean. The Korean of the program's original Korean texts is that
# text exactly.
KOREAN = {
    ("AppManagerDialog", "App Manager"): "앱 관리자",
    ("AppManagerDialog", "App Name :"): "앱 이름 :",
    ("AppManagerDialog", "App Desc :"): "앱 설명 :",
    ("AppManagerDialog", "User ID"): "사용자 ID",
    ("AppManagerDialog", "User Password"): "사용자 비밀번호",
    ("AppManagerDialog", "User Define"): "사용자 정의",
    ("AppManagerDialog", "User Etc"): "사용자 기타",
    ("AppManagerDialog", "Script"): "스크립트",
    ("AppManagerDialog", "Select Scene"): "선택한 씬",
    ("AppManagerDialog", "Scene List"): "씬 목록",
    ("AppManagerDialog", "◀"): "◀",
    ("AppManagerDialog", "▶"): "▶",
    ("AppManagerDialog", "App List"): "앱 목록",
    ("AppManagerDialog", "Save"): "저장",
    ("AppManagerDialog", "Delete"): "삭제",
    ("AppManagerDialog", "Close"): "닫기",
    ("DeviceDialog", "Device Add"): "장치 추가",
    ("DeviceDialog", "Client Device"): "클라이언트 장치",
    ("DeviceDialog", "Type"): "유형",
    ("DeviceDialog", "Screen"): "화면",
    ("DeviceDialog", "ConnectIP"): "접속 IP",
    ("DeviceDialog", "Port"): "포트",
    ("DeviceDialog", "CtrlPort"): "제어 포트",
    ("DeviceDialog", "User Authentication"): "사용자 인증",
    ("DeviceDialog", "ID"): "ID",
    ("DeviceDialog", "Password"): "비밀번호",
    ("DeviceDialog", "Control Authentication"): "제어 인증",
    ("DeviceDialog", "Client Thumb"): "클라이언트 썸네일",
    ("DeviceDialog", "Quality"): "품질",
    ("DeviceDialog", "FPS"): "FPS",
    ("DeviceDialog", "Full Screen Ctrl"): "전체 화면 제어",
    ("DeviceDialog", "Select App"): "선택한 앱",
    ("DeviceDialog", "App List"): "앱 목록",
    ("DeviceDialog", "◀"): "◀",
    ("DeviceDialog", "▶"): "▶",
    ("DeviceDialog", "OK"): "확인",
    ("DeviceDialog", "Cancel"): "취소",
    ("DevicePane", "Start automation"): "자동화 시작",
    ("DevicePane", "Stop automation"): "자동화 중지",
    ("DevicePane", "Pause automation"): "자동화 일시 정지",
    ("DevicePane", "Resume automation"): "자동화 재개",
    ("DevicePane", "Connect"): "연결",
    ("DevicePane", "Disconnect"): "연결 끊기",
    ("DevicePane", "Delete this device (double-click)"): "이 장치 삭제 (더블클릭)",
    ("DevicePane", "Edit this device (double-click)"): "이 장치 편집 (더블클릭)",
    ("DevicePane", "Open the scene editor on this screen (double-click)"): "이 화면에서 씬 편집기 열기 (더블클릭)",
    ("ItemList", "%1 inactive"): "%1 비활성",
    ("ItemList", "width : %1 px ,  height : %2 px"): "너비 : %1 px ,  높이 : %2 px",
    ("ListMoves", "Notice"): "알림",
    ("ListMoves", "Select the entry to move."): "이동할 항목을 선택해주세요.",
    ("SceneEditorView", "A test is running.\nStop the test, then close the window."):
        "테스트 실행 중입니다.\n테스트를 종료 후 창을 닫으세요",
    ("SceneEditorView", "Confirm"): "확인",
    ("SceneToolWindow", "Add an Item: drag its rectangle on the screen"): "아이템 추가: 화면에서 영역을 드래그하세요",
    ("SceneToolWindow", "Adding an Item: drag its rectangle on the screen"): "아이템 추가 중: 화면에서 영역을 드래그하세요",
    ("SceneToolWindow", "Capture the selected Item's template again"): "선택한 아이템의 템플릿 다시 캡처",
    ("SceneToolWindow", "Switch the selected Item on or off"): "선택한 아이템 켜기/끄기",
    ("SceneToolWindow", "Switch every Item on and forget their actions"): "모든 아이템을 켜고 동작 초기화",
    ("SceneToolWindow", "Save the Scene"): "씬 저장",
    ("SceneToolWindow", "Test the selected Item on the live screen"): "실시간 화면에서 선택한 아이템 테스트",
    ("SceneToolWindow", "Stop the Item test"): "아이템 테스트 중지",
    ("SceneToolWindow", "Run the Scene on the device"): "장치에서 씬 실행",
    ("SceneToolWindow", "Stop the Scene run"): "씬 실행 중지",
    ("SceneToolWindow", "Delete the Scene's file"): "씬 파일 삭제",
    ("SettingsDialog", "portable: the program's own folder holds config.ini, Apps or Scenes"):
        "포터블: 프로그램 폴더에 config.ini, Apps 또는 Scenes가 있습니다",
    ("SettingsDialog", "chosen with --data"): "--data로 지정됨",
    ("SettingsDialog", "the user's data folder ($XDG_DATA_HOME/zorkvm): no config.ini, Apps or Scenes beside the program"):
        "사용자 데이터 폴더($XDG_DATA_HOME/zorkvm): 프로그램 옆에 config.ini, Apps, Scenes가 없습니다",
    ("SettingsDialog", "Data folder"): "데이터 폴더",
    ("StartFolder", "Cannot use the data folder: %1"): "데이터 폴더를 사용할 수 없습니다: %1",
    ("TopBar", "App Manager (Ctrl+M)"): "앱 관리자 (Ctrl+M)",
    ("TopBar", "Add a device (Ctrl+N)"): "장치 추가 (Ctrl+N)",
    ("TopBar", "Settings"): "설정",
    ("TopBar", "Web site"): "웹 사이트",
    ("zor::AppManagerDialog", "App Manager"): "앱 관리자",
    ("zor::AppManagerDialog", "Error"): "에러",
    ("zor::AppManagerDialog", "Could not save the App information.\n"): "애플리케이션 정보를 저장하지 못했습니다.\n",
    ("zor::AppManagerDialog", "Give the App a name before saving it."): "저장하기 전에 앱 이름을 입력하세요.",
    ("zor::AppManagerDialog", "An App name cannot contain / or \\ and cannot be . or .. Choose another name."):
        "앱 이름에는 / 나 \\ 를 쓸 수 없고 . 이나 .. 일 수 없습니다. 다른 이름을 입력하세요.",
    ("zor::AppManagerDialog", 'Delete the App "%1"?'): '앱 "%1"을(를) 삭제하시겠습니까?',
    ("zor::AppManagerDialog", "There is no file to delete, or deleting it failed."): "삭제할 파일이 없거나 실패했습니다.",
    ("zor::AppManagerDialog", "Notice"): "알림",
    ("zor::AppManagerDialog", "The App information was deleted."): "애플리케이션 정보가 삭제되었습니다.",
    ("zor::DeviceDialog", "Device Add"): "장치 추가",
    ("zor::FullControlWindow", "Full Control"): "전체 제어",
    ("zor::FullControlWindow", "Full Control  |  FPS: %1"): "전체 제어  |  FPS: %1",
    ("zor::FullControlWindow", "Operator input pauses the Apps"): "조작자 입력 시 앱 일시 정지",
    ("zor::FullControlWindow", "Apps paused: operator input"): "앱 일시 정지: 조작자 입력",
    ("zor::MainWindow", "Web site"): "웹 사이트",
    ("zor::MainWindow", "No web browser could be started. The web site is %1"):
        "웹 브라우저를 시작할 수 없습니다. 웹 사이트 주소는 %1 입니다",
    ("zor::MainWindow", "Confirm exit"): "종료 확인",
    ("zor::MainWindow", "Quit the program?"): "프로그램을 종료하시겠습니까?",
    ("zor::PaneContainer", "Error"): "에러",
    ("zor::PaneContainer", "Could not save the config.ini file.\n"): "config.ini 파일을 저장하지 못했습니다.\n",
    ("zor::PaneContainer", "Notice"): "알림",
    ("zor::PaneContainer", "You pressed the Cancel button."): "취소 버튼을 누르셨습니다.",
    ("zor::PaneContainer", "Do you really want to delete this item?"): "정말로 이 항목을 삭제하시겠습니까?",
    ("zor::PaneContainer", "Confirm delete"): "삭제 확인",
    ("zor::PaneTitleBar", "No AppFiles"): "앱 파일 없음",
    ("zor::SceneEditorView", "Editor"): "편집기",
    ("zor::SceneToolForm", "SceneName : "): "씬 이름 : ",
    ("zor::SceneToolForm", "SceneDesc : "): "씬 설명 : ",
    ("zor::SceneToolForm", "SceneScript"): "씬 스크립트",
    ("zor::SceneToolForm", "Item Name : "): "아이템 이름 : ",
    ("zor::SceneToolForm", "Item Type : "): "아이템 유형 : ",
    ("zor::SceneToolForm", "Color : "): "색상 : ",
    ("zor::SceneToolForm", "CF : "): "CF : ",
    ("zor::SceneToolForm", "Item Params"): "아이템 매개변수",
    ("zor::SceneToolForm", "Item Script"): "아이템 스크립트",
    ("zor::SceneToolForm", "Scene List"): "씬 목록",
    ("zor::SceneToolWindow", "Scene Tool"): "씬 도구",
    ("zor::SceneToolWindow", "SCENE TOOL"): "씬 도구",
    ("zor::SceneToolWindow", "Select an Item, then run it."): "아이템을 선택하고 실행 해주세요.",
    ("zor::SceneToolWindow", "Delete the selected item?"): "현제 선택한 아이템을 삭제하시겠습니까?",
    ("zor::SceneToolWindow", "Confirm delete"): "삭제 확인",
    ("zor::SettingsDialog", "Settings"): "설정",
    ("zor::SettingsDialog", "Follow the system"): "시스템 설정을 따름",
    ("zor::SettingsDialog", "The language changes at the next start of the program."):
        "언어는 프로그램을 다시 시작하면 바뀝니다.",
    ("zor::SettingsDialog", "Language"): "언어",
    ("zor::ThumbnailView", "Offline"): "오프라인",
    ("zor::ThumbnailView", "Stop"): "정지",
    ("zor::ThumbnailView", "Error"): "오류",
    ("zor::ThumbnailView", "Connecting"): "연결 중",
    ("DeviceDialog", "Name"): "이름",
    ("DeviceDialog", "shown on the pane; the address when empty"): "패널에 표시됩니다. 비어 있으면 주소를 표시합니다",
    ("zor::DeviceDialog", "Device Edit"): "장치 편집",
    ("zor::DevicePane", "Double-click for full control (Ctrl+F)"): "더블클릭하면 전체 제어 (Ctrl+F)",
    ("zor::DevicePane", "no answer"): "응답 없음",
    ("zor::DevicePane", "trying again by itself"): "자동으로 다시 시도하는 중",
    ("zor::DevicePane", "click connect to try again"): "다시 시도하려면 연결을 누르세요",
    ("zor::DevicePane", "automation waits for the device"): "자동화가 장치를 기다리는 중",
    ("zor::DevicePane", "automation paused: no picture from the device"): "자동화 일시 정지: 장치에서 화면이 오지 않음",
    ("zor::DevicePane", "automation paused: the screen is not %1 x %2"): "자동화 일시 정지: 화면이 %1 x %2 가 아님",
    ("zor::DevicePane", "automation paused: operator input"): "자동화 일시 정지: 조작자 입력",
    ("StatusStrip", "paused"): "일시 정지",
    ("StatusStrip", "paused: no signal"): "일시 정지: 신호 없음",
    ("StatusStrip", "paused: screen size"): "일시 정지: 화면 크기",
    ("StatusStrip", "paused: operator input"): "일시 정지: 조작자 입력",
    ("StatusStrip", "stalled"): "정체",
    ("StatusStrip", "error"): "오류",
    ("StatusStrip", "idle"): "대기",
    ("StatusStrip", "%1 %2 s ago"): "%1 %2초 전",
    ("StatusStrip", "%1 %2 min ago"): "%1 %2분 전",
    ("StatusStrip", "%1 %2 h ago"): "%1 %2시간 전",
    ("StatusStrip", "%1 steps/s"): "%1 단계/초",
    ("StatusStrip", "+%1 Apps"): "+%1개 앱",
    ("zor::SettingsDialog", "never"): "사용 안 함",
    ("zor::SettingsDialog", " s"): " 초",
    ("zor::SettingsDialog", " min"): " 분",
    ("zor::SettingsDialog", "Pause without a picture"): "화면이 없을 때 일시 정지",
    ("zor::SettingsDialog", "A device's Apps pause when no picture came for this long, and go on by themselves when "
     "pictures come back. From the next start of automation."):
        "이 시간 동안 장치에서 화면이 오지 않으면 그 장치의 앱이 일시 정지하고, 화면이 다시 오면 스스로 계속합니다. "
        "다음 자동화 시작부터 적용됩니다.",
    ("zor::SettingsDialog", "Report a stall after"): "정체 보고 시간",
    ("zor::SettingsDialog", "An App that finds nothing on its Scene for this long is reported as stalled; it goes on running."):
        "이 시간 동안 씬에서 아무것도 찾지 못한 앱은 정체로 보고되며, 계속 실행됩니다.",
    ("zor::SceneEditorView", "Unsaved changes"): "저장하지 않은 변경 사항",
    ("zor::SceneEditorView", 'The Scene "%1" has unsaved changes. Save them before closing?'):
        '씬 "%1"에 저장하지 않은 변경 사항이 있습니다. 닫기 전에 저장하시겠습니까?',
    ("zor::SceneToolWindow", "Save failed"): "저장 실패",
    ("zor::SceneToolWindow", 'The Scene "%1" was not saved: %2'): '씬 "%1"을(를) 저장하지 못했습니다: %2',
    ("GroupActions", "Start automation on the selected panes"): "선택한 패널에서 자동화 시작",
    ("GroupActions", "Start automation on all panes"): "모든 패널에서 자동화 시작",
    ("GroupActions", "Pause automation on the selected panes"): "선택한 패널에서 자동화 일시 정지",
    ("GroupActions", "Pause automation on all panes"): "모든 패널에서 자동화 일시 정지",
    ("GroupActions", "Resume automation on the selected panes"): "선택한 패널에서 자동화 재개",
    ("GroupActions", "Resume automation on all panes"): "모든 패널에서 자동화 재개",
    ("GroupActions", "Stop automation on the selected panes"): "선택한 패널에서 자동화 중지",
    ("GroupActions", "Stop automation on all panes"): "모든 패널에서 자동화 중지",
    ("zor::SettingsDialog", "Unattended start"): "무인 시작",
    ("zor::SettingsDialog", "Run logs"): "실행 로그",
    ("zor::SettingsDialog", "off"): "끔",
    ("zor::SettingsDialog",
     "Each run of a device's Apps writes its events and pictures of the screen (when paused, stalled, a Scene is "
     "unreadable, and at each Item's first match) to a file in this folder, up to %1 MB per run. Empty: no logs. "
     "From the next start of automation."):
        "장치의 앱을 실행할 때마다 이벤트와 화면 사진(일시 정지, 정체, 씬을 읽을 수 없을 때, 각 항목의 첫 일치)을 "
        "이 폴더의 파일에 기록합니다. 실행마다 최대 %1 MB. 비워 두면 기록하지 않습니다. 다음 자동화 시작부터 적용됩니다.",
    ("zor::DevicePane", "no run log: %1"): "실행 로그 없음: %1",
    ("zor::SettingsDialog", "Start automation when a device connects"): "장치가 연결되면 자동화 시작",
    ("zor::SettingsDialog", "Every device's Apps start by themselves once its screen shows. zorkvm --start-automation "
     "does the same for one session."):
        "장치의 화면이 나타나면 그 장치의 앱이 스스로 시작합니다. zorkvm --start-automation 은 한 번의 실행 동안 같은 일을 합니다.",
}

# (context, source text) -> English, where the English differs from the source text.
ENGLISH = {}

LANGUAGES = {"ko": ("ko_KR", KOREAN), "en": ("en_US", ENGLISH)}


def fill(ts_path: Path, code: str) -> list:
    language, table = LANGUAGES[code]
    tree = ET.parse(ts_path)
    root = tree.getroot()
    root.set("language", language)
    root.set("sourcelanguage", "en_US")
    missing = []
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            text = table.get((name, source), source if code == "en" else None)
            translation = message.find("translation")
            if text is None:
                missing.append((name, source))
                continue
            translation.text = text
            translation.attrib.pop("type", None)
    ET.indent(tree, space="    ")
    # lupdate's own layout (contexts at the margin), so that its next run changes no line.
    body = re.sub(r">([^<]*)<", lambda text: ">" + text[1].replace('"', "&quot;").replace("'", "&apos;") + "<",
                  ET.tostring(root, encoding="unicode"))
    lines = [line[4:] if line.startswith("    ") else line for line in body.splitlines()]
    ts_path.write_text('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + "\n".join(lines) + "\n",
                       encoding="utf-8")
    return missing


def main() -> int:
    folder = Path(__file__).resolve().parent.parent / "translations"
    missing = []
    for code in LANGUAGES:
        missing += [(code,) + m for m in fill(folder / f"zorkvm_{code}.ts", code)]
    for code, context, source in missing:
        print(f"no {code} translation: {context}: {source!r}", file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
