<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en_US">
<context>
    <name>AppManagerDialog</name>
    <message>
        <source>App Manager</source>
        <translation>앱 관리자</translation>
    </message>
    <message>
        <source>App Name :</source>
        <translation>앱 이름 :</translation>
    </message>
    <message>
        <source>App Desc :</source>
        <translation>앱 설명 :</translation>
    </message>
    <message>
        <source>User ID</source>
        <translation>사용자 ID</translation>
    </message>
    <message>
        <source>User Password</source>
        <translation>사용자 비밀번호</translation>
    </message>
    <message>
        <source>User Define</source>
        <translation>사용자 정의</translation>
    </message>
    <message>
        <source>User Etc</source>
        <translation>사용자 기타</translation>
    </message>
    <message>
        <source>Script</source>
        <translation>스크립트</translation>
    </message>
    <message>
        <source>Select Scene</source>
        <translation>선택한 씬</translation>
    </message>
    <message>
        <source>Scene List</source>
        <translation>씬 목록</translation>
    </message>
    <message>
        <source>◀</source>
        <translation>◀</translation>
    </message>
    <message>
        <source>▶</source>
        <translation>▶</translation>
    </message>
    <message>
        <source>App List</source>
        <translation>앱 목록</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>삭제</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>닫기</translation>
    </message>
</context>
<context>
    <name>DeviceDialog</name>
    <message>
        <source>Device Add</source>
        <translation>장치 추가</translation>
    </message>
    <message>
        <source>Client Device</source>
        <translation>클라이언트 장치</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>유형</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>화면</translation>
    </message>
    <message>
        <source>ConnectIP</source>
        <translation>접속 IP</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>포트</translation>
    </message>
    <message>
        <source>CtrlPort</source>
        <translation>제어 포트</translation>
    </message>
    <message>
        <source>User Authentication</source>
        <translation>사용자 인증</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>비밀번호</translation>
    </message>
    <message>
        <source>Control Authentication</source>
        <translation>제어 인증</translation>
    </message>
    <message>
        <source>Client Thumb</source>
        <translation>클라이언트 썸네일</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>품질</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Full Screen Ctrl</source>
        <translation>전체 화면 제어</translation>
    </message>
    <message>
        <source>Select App</source>
        <translation>선택한 앱</translation>
    </message>
    <message>
        <source>App List</source>
        <translation>앱 목록</translation>
    </message>
    <message>
        <source>◀</source>
        <translation>◀</translation>
    </message>
    <message>
        <source>▶</source>
        <translation>▶</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>이름</translation>
    </message>
    <message>
        <source>shown on the pane; the address when empty</source>
        <translation>패널에 표시됩니다. 비어 있으면 주소를 표시합니다</translation>
    </message>
</context>
<context>
    <name>DevicePane</name>
    <message>
        <source>Start automation</source>
        <translation>자동화 시작</translation>
    </message>
    <message>
        <source>Stop automation</source>
        <translation>자동화 중지</translation>
    </message>
    <message>
        <source>Pause automation</source>
        <translation>자동화 일시 정지</translation>
    </message>
    <message>
        <source>Resume automation</source>
        <translation>자동화 재개</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>연결</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>연결 끊기</translation>
    </message>
    <message>
        <source>Delete this device (double-click)</source>
        <translation>이 장치 삭제 (더블클릭)</translation>
    </message>
    <message>
        <source>Edit this device (double-click)</source>
        <translation>이 장치 편집 (더블클릭)</translation>
    </message>
    <message>
        <source>Open the scene editor on this screen (double-click)</source>
        <translation>이 화면에서 씬 편집기 열기 (더블클릭)</translation>
    </message>
</context>
<context>
    <name>GroupActions</name>
    <message>
        <source>Start automation on the selected panes</source>
        <translation>선택한 패널에서 자동화 시작</translation>
    </message>
    <message>
        <source>Start automation on all panes</source>
        <translation>모든 패널에서 자동화 시작</translation>
    </message>
    <message>
        <source>Pause automation on the selected panes</source>
        <translation>선택한 패널에서 자동화 일시 정지</translation>
    </message>
    <message>
        <source>Pause automation on all panes</source>
        <translation>모든 패널에서 자동화 일시 정지</translation>
    </message>
    <message>
        <source>Resume automation on the selected panes</source>
        <translation>선택한 패널에서 자동화 재개</translation>
    </message>
    <message>
        <source>Resume automation on all panes</source>
        <translation>모든 패널에서 자동화 재개</translation>
    </message>
    <message>
        <source>Stop automation on the selected panes</source>
        <translation>선택한 패널에서 자동화 중지</translation>
    </message>
    <message>
        <source>Stop automation on all panes</source>
        <translation>모든 패널에서 자동화 중지</translation>
    </message>
</context>
<context>
    <name>ItemList</name>
    <message>
        <source>%1 inactive</source>
        <translation>%1 비활성</translation>
    </message>
    <message>
        <source>width : %1 px ,  height : %2 px</source>
        <translation>너비 : %1 px ,  높이 : %2 px</translation>
    </message>
</context>
<context>
    <name>ListMoves</name>
    <message>
        <source>Notice</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>Select the entry to move.</source>
        <translation>이동할 항목을 선택해주세요.</translation>
    </message>
</context>
<context>
    <name>SceneEditorView</name>
    <message>
        <source>A test is running.
Stop the test, then close the window.</source>
        <translation>테스트 실행 중입니다.
테스트를 종료 후 창을 닫으세요</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>확인</translation>
    </message>
</context>
<context>
    <name>SceneToolWindow</name>
    <message>
        <source>Add an Item: drag its rectangle on the screen</source>
        <translation>아이템 추가: 화면에서 영역을 드래그하세요</translation>
    </message>
    <message>
        <source>Adding an Item: drag its rectangle on the screen</source>
        <translation>아이템 추가 중: 화면에서 영역을 드래그하세요</translation>
    </message>
    <message>
        <source>Capture the selected Item&apos;s template again</source>
        <translation>선택한 아이템의 템플릿 다시 캡처</translation>
    </message>
    <message>
        <source>Switch the selected Item on or off</source>
        <translation>선택한 아이템 켜기/끄기</translation>
    </message>
    <message>
        <source>Switch every Item on and forget their actions</source>
        <translation>모든 아이템을 켜고 동작 초기화</translation>
    </message>
    <message>
        <source>Save the Scene</source>
        <translation>씬 저장</translation>
    </message>
    <message>
        <source>Test the selected Item on the live screen</source>
        <translation>실시간 화면에서 선택한 아이템 테스트</translation>
    </message>
    <message>
        <source>Stop the Item test</source>
        <translation>아이템 테스트 중지</translation>
    </message>
    <message>
        <source>Run the Scene on the device</source>
        <translation>장치에서 씬 실행</translation>
    </message>
    <message>
        <source>Stop the Scene run</source>
        <translation>씬 실행 중지</translation>
    </message>
    <message>
        <source>Delete the Scene&apos;s file</source>
        <translation>씬 파일 삭제</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>portable: the program&apos;s own folder holds config.ini, Apps or Scenes</source>
        <translation>포터블: 프로그램 폴더에 config.ini, Apps 또는 Scenes가 있습니다</translation>
    </message>
    <message>
        <source>chosen with --data</source>
        <translation>--data로 지정됨</translation>
    </message>
    <message>
        <source>the user&apos;s data folder ($XDG_DATA_HOME/zorkvm): no config.ini, Apps or Scenes beside the program</source>
        <translation>사용자 데이터 폴더($XDG_DATA_HOME/zorkvm): 프로그램 옆에 config.ini, Apps, Scenes가 없습니다</translation>
    </message>
    <message>
        <source>Data folder</source>
        <translation>데이터 폴더</translation>
    </message>
</context>
<context>
    <name>StartFolder</name>
    <message>
        <source>Cannot use the data folder: %1</source>
        <translation>데이터 폴더를 사용할 수 없습니다: %1</translation>
    </message>
</context>
<context>
    <name>StatusStrip</name>
    <message>
        <source>paused</source>
        <translation>일시 정지</translation>
    </message>
    <message>
        <source>paused: no signal</source>
        <translation>일시 정지: 신호 없음</translation>
    </message>
    <message>
        <source>paused: screen size</source>
        <translation>일시 정지: 화면 크기</translation>
    </message>
    <message>
        <source>paused: operator input</source>
        <translation>일시 정지: 조작자 입력</translation>
    </message>
    <message>
        <source>stalled</source>
        <translation>정체</translation>
    </message>
    <message>
        <source>error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>idle</source>
        <translation>대기</translation>
    </message>
    <message>
        <source>%1 %2 s ago</source>
        <translation>%1 %2초 전</translation>
    </message>
    <message>
        <source>%1 %2 min ago</source>
        <translation>%1 %2분 전</translation>
    </message>
    <message>
        <source>%1 %2 h ago</source>
        <translation>%1 %2시간 전</translation>
    </message>
    <message>
        <source>%1 steps/s</source>
        <translation>%1 단계/초</translation>
    </message>
    <message>
        <source>+%1 Apps</source>
        <translation>+%1개 앱</translation>
    </message>
</context>
<context>
    <name>TopBar</name>
    <message>
        <source>App Manager (Ctrl+M)</source>
        <translation>앱 관리자 (Ctrl+M)</translation>
    </message>
    <message>
        <source>Add a device (Ctrl+N)</source>
        <translation>장치 추가 (Ctrl+N)</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>Web site</source>
        <translation>웹 사이트</translation>
    </message>
</context>
<context>
    <name>zor::AppManagerDialog</name>
    <message>
        <source>App Manager</source>
        <translation>앱 관리자</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>에러</translation>
    </message>
    <message>
        <source>Could not save the App information.
</source>
        <translation>애플리케이션 정보를 저장하지 못했습니다.
</translation>
    </message>
    <message>
        <source>Give the App a name before saving it.</source>
        <translation>저장하기 전에 앱 이름을 입력하세요.</translation>
    </message>
    <message>
        <source>An App name cannot contain / or \ and cannot be . or .. Choose another name.</source>
        <translation>앱 이름에는 / 나 \ 를 쓸 수 없고 . 이나 .. 일 수 없습니다. 다른 이름을 입력하세요.</translation>
    </message>
    <message>
        <source>Delete the App &quot;%1&quot;?</source>
        <translation>앱 &quot;%1&quot;을(를) 삭제하시겠습니까?</translation>
    </message>
    <message>
        <source>There is no file to delete, or deleting it failed.</source>
        <translation>삭제할 파일이 없거나 실패했습니다.</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>The App information was deleted.</source>
        <translation>애플리케이션 정보가 삭제되었습니다.</translation>
    </message>
</context>
<context>
    <name>zor::DeviceDialog</name>
    <message>
        <source>Device Add</source>
        <translation>장치 추가</translation>
    </message>
    <message>
        <source>Device Edit</source>
        <translation>장치 편집</translation>
    </message>
</context>
<context>
    <name>zor::DevicePane</name>
    <message>
        <source>Double-click for full control (Ctrl+F)</source>
        <translation>더블클릭하면 전체 제어 (Ctrl+F)</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>응답 없음</translation>
    </message>
    <message>
        <source>trying again by itself</source>
        <translation>자동으로 다시 시도하는 중</translation>
    </message>
    <message>
        <source>click connect to try again</source>
        <translation>다시 시도하려면 연결을 누르세요</translation>
    </message>
    <message>
        <source>automation waits for the device</source>
        <translation>자동화가 장치를 기다리는 중</translation>
    </message>
    <message>
        <source>automation paused: no picture from the device</source>
        <translation>자동화 일시 정지: 장치에서 화면이 오지 않음</translation>
    </message>
    <message>
        <source>automation paused: the screen is not %1 x %2</source>
        <translation>자동화 일시 정지: 화면이 %1 x %2 가 아님</translation>
    </message>
    <message>
        <source>automation paused: operator input</source>
        <translation>자동화 일시 정지: 조작자 입력</translation>
    </message>
    <message>
        <source>no run log: %1</source>
        <translation>실행 로그 없음: %1</translation>
    </message>
</context>
<context>
    <name>zor::FullControlWindow</name>
    <message>
        <source>Full Control</source>
        <translation>전체 제어</translation>
    </message>
    <message>
        <source>Full Control  |  FPS: %1</source>
        <translation>전체 제어  |  FPS: %1</translation>
    </message>
    <message>
        <source>Operator input pauses the Apps</source>
        <translation>조작자 입력 시 앱 일시 정지</translation>
    </message>
    <message>
        <source>Apps paused: operator input</source>
        <translation>앱 일시 정지: 조작자 입력</translation>
    </message>
</context>
<context>
    <name>zor::MainWindow</name>
    <message>
        <source>Web site</source>
        <translation>웹 사이트</translation>
    </message>
    <message>
        <source>No web browser could be started. The web site is %1</source>
        <translation>웹 브라우저를 시작할 수 없습니다. 웹 사이트 주소는 %1 입니다</translation>
    </message>
    <message>
        <source>Confirm exit</source>
        <translation>종료 확인</translation>
    </message>
    <message>
        <source>Quit the program?</source>
        <translation>프로그램을 종료하시겠습니까?</translation>
    </message>
</context>
<context>
    <name>zor::PaneContainer</name>
    <message>
        <source>Error</source>
        <translation>에러</translation>
    </message>
    <message>
        <source>Could not save the config.ini file.
</source>
        <translation>config.ini 파일을 저장하지 못했습니다.
</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>알림</translation>
    </message>
    <message>
        <source>You pressed the Cancel button.</source>
        <translation>취소 버튼을 누르셨습니다.</translation>
    </message>
    <message>
        <source>Do you really want to delete this item?</source>
        <translation>정말로 이 항목을 삭제하시겠습니까?</translation>
    </message>
    <message>
        <source>Confirm delete</source>
        <translation>삭제 확인</translation>
    </message>
</context>
<context>
    <name>zor::PaneTitleBar</name>
    <message>
        <source>No AppFiles</source>
        <translation>앱 파일 없음</translation>
    </message>
</context>
<context>
    <name>zor::SceneEditorView</name>
    <message>
        <source>Editor</source>
        <translation>편집기</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>저장하지 않은 변경 사항</translation>
    </message>
    <message>
        <source>The Scene &quot;%1&quot; has unsaved changes. Save them before closing?</source>
        <translation>씬 &quot;%1&quot;에 저장하지 않은 변경 사항이 있습니다. 닫기 전에 저장하시겠습니까?</translation>
    </message>
</context>
<context>
    <name>zor::SceneToolForm</name>
    <message>
        <source>SceneName : </source>
        <translation>씬 이름 : </translation>
    </message>
    <message>
        <source>SceneDesc : </source>
        <translation>씬 설명 : </translation>
    </message>
    <message>
        <source>SceneScript</source>
        <translation>씬 스크립트</translation>
    </message>
    <message>
        <source>Item Name : </source>
        <translation>아이템 이름 : </translation>
    </message>
    <message>
        <source>Item Type : </source>
        <translation>아이템 유형 : </translation>
    </message>
    <message>
        <source>Color : </source>
        <translation>색상 : </translation>
    </message>
    <message>
        <source>CF : </source>
        <translation>CF : </translation>
    </message>
    <message>
        <source>Item Params</source>
        <translation>아이템 매개변수</translation>
    </message>
    <message>
        <source>Item Script</source>
        <translation>아이템 스크립트</translation>
    </message>
    <message>
        <source>Scene List</source>
        <translation>씬 목록</translation>
    </message>
</context>
<context>
    <name>zor::SceneToolWindow</name>
    <message>
        <source>Scene Tool</source>
        <translation>씬 도구</translation>
    </message>
    <message>
        <source>SCENE TOOL</source>
        <translation>씬 도구</translation>
    </message>
    <message>
        <source>Select an Item, then run it.</source>
        <translation>아이템을 선택하고 실행 해주세요.</translation>
    </message>
    <message>
        <source>Delete the selected item?</source>
        <translation>현제 선택한 아이템을 삭제하시겠습니까?</translation>
    </message>
    <message>
        <source>Confirm delete</source>
        <translation>삭제 확인</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>저장 실패</translation>
    </message>
    <message>
        <source>The Scene &quot;%1&quot; was not saved: %2</source>
        <translation>씬 &quot;%1&quot;을(를) 저장하지 못했습니다: %2</translation>
    </message>
</context>
<context>
    <name>zor::SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message>
        <source>Follow the system</source>
        <translation>시스템 설정을 따름</translation>
    </message>
    <message>
        <source>The language changes at the next start of the program.</source>
        <translation>언어는 프로그램을 다시 시작하면 바뀝니다.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>언어</translation>
    </message>
    <message>
        <source>never</source>
        <translation>사용 안 함</translation>
    </message>
    <message>
        <source> s</source>
        <translation> 초</translation>
    </message>
    <message>
        <source> min</source>
        <translation> 분</translation>
    </message>
    <message>
        <source>Pause without a picture</source>
        <translation>화면이 없을 때 일시 정지</translation>
    </message>
    <message>
        <source>A device&apos;s Apps pause when no picture came for this long, and go on by themselves when pictures come back. From the next start of automation.</source>
        <translation>이 시간 동안 장치에서 화면이 오지 않으면 그 장치의 앱이 일시 정지하고, 화면이 다시 오면 스스로 계속합니다. 다음 자동화 시작부터 적용됩니다.</translation>
    </message>
    <message>
        <source>Report a stall after</source>
        <translation>정체 보고 시간</translation>
    </message>
    <message>
        <source>An App that finds nothing on its Scene for this long is reported as stalled; it goes on running.</source>
        <translation>이 시간 동안 씬에서 아무것도 찾지 못한 앱은 정체로 보고되며, 계속 실행됩니다.</translation>
    </message>
    <message>
        <source>Start automation when a device connects</source>
        <translation>장치가 연결되면 자동화 시작</translation>
    </message>
    <message>
        <source>Unattended start</source>
        <translation>무인 시작</translation>
    </message>
    <message>
        <source>Every device&apos;s Apps start by themselves once its screen shows. zorkvm --start-automation does the same for one session.</source>
        <translation>장치의 화면이 나타나면 그 장치의 앱이 스스로 시작합니다. zorkvm --start-automation 은 한 번의 실행 동안 같은 일을 합니다.</translation>
    </message>
    <message>
        <source>off</source>
        <translation>끔</translation>
    </message>
    <message>
        <source>Run logs</source>
        <translation>실행 로그</translation>
    </message>
    <message>
        <source>Each run of a device&apos;s Apps writes its events and pictures of the screen (when paused, stalled, a Scene is unreadable, and at each Item&apos;s first match) to a file in this folder, up to %1 MB per run. Empty: no logs. From the next start of automation.</source>
        <translation>장치의 앱을 실행할 때마다 이벤트와 화면 사진(일시 정지, 정체, 씬을 읽을 수 없을 때, 각 항목의 첫 일치)을 이 폴더의 파일에 기록합니다. 실행마다 최대 %1 MB. 비워 두면 기록하지 않습니다. 다음 자동화 시작부터 적용됩니다.</translation>
    </message>
</context>
<context>
    <name>zor::ThumbnailView</name>
    <message>
        <source>Offline</source>
        <translation>오프라인</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>정지</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>오류</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>연결 중</translation>
    </message>
</context>
</TS>
