<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>AppManagerDialog</name>
    <message>
        <source>App Manager</source>
        <translation>App Manager</translation>
    </message>
    <message>
        <source>App Name :</source>
        <translation>App Name :</translation>
    </message>
    <message>
        <source>App Desc :</source>
        <translation>App Desc :</translation>
    </message>
    <message>
        <source>User ID</source>
        <translation>User ID</translation>
    </message>
    <message>
        <source>User Password</source>
        <translation>User Password</translation>
    </message>
    <message>
        <source>User Define</source>
        <translation>User Define</translation>
    </message>
    <message>
        <source>User Etc</source>
        <translation>User Etc</translation>
    </message>
    <message>
        <source>Script</source>
        <translation>Script</translation>
    </message>
    <message>
        <source>Select Scene</source>
        <translation>Select Scene</translation>
    </message>
    <message>
        <source>Scene List</source>
        <translation>Scene List</translation>
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
        <translation>App List</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>DeviceDialog</name>
    <message>
        <source>Device Add</source>
        <translation>Device Add</translation>
    </message>
    <message>
        <source>Client Device</source>
        <translation>Client Device</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>ConnectIP</source>
        <translation>ConnectIP</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>CtrlPort</source>
        <translation>CtrlPort</translation>
    </message>
    <message>
        <source>User Authentication</source>
        <translation>User Authentication</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Control Authentication</source>
        <translation>Control Authentication</translation>
    </message>
    <message>
        <source>Client Thumb</source>
        <translation>Client Thumb</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>FPS</source>
        <translation>FPS</translation>
    </message>
    <message>
        <source>Full Screen Ctrl</source>
        <translation>Full Screen Ctrl</translation>
    </message>
    <message>
        <source>Select App</source>
        <translation>Select App</translation>
    </message>
    <message>
        <source>App List</source>
        <translation>App List</translation>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>shown on the pane; the address when empty</source>
        <translation>shown on the pane; the address when empty</translation>
    </message>
</context>
<context>
    <name>DevicePane</name>
    <message>
        <source>Start automation</source>
        <translation>Start automation</translation>
    </message>
    <message>
        <source>Stop automation</source>
        <translation>Stop automation</translation>
    </message>
    <message>
        <source>Pause automation</source>
        <translation>Pause automation</translation>
    </message>
    <message>
        <source>Resume automation</source>
        <translation>Resume automation</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Delete this device (double-click)</source>
        <translation>Delete this device (double-click)</translation>
    </message>
    <message>
        <source>Edit this device (double-click)</source>
        <translation>Edit this device (double-click)</translation>
    </message>
    <message>
        <source>Open the scene editor on this screen (double-click)</source>
        <translation>Open the scene editor on this screen (double-click)</translation>
    </message>
</context>
<context>
    <name>GroupActions</name>
    <message>
        <source>Start automation on the selected panes</source>
        <translation>Start automation on the selected panes</translation>
    </message>
    <message>
        <source>Start automation on all panes</source>
        <translation>Start automation on all panes</translation>
    </message>
    <message>
        <source>Pause automation on the selected panes</source>
        <translation>Pause automation on the selected panes</translation>
    </message>
    <message>
        <source>Pause automation on all panes</source>
        <translation>Pause automation on all panes</translation>
    </message>
    <message>
        <source>Resume automation on the selected panes</source>
        <translation>Resume automation on the selected panes</translation>
    </message>
    <message>
        <source>Resume automation on all panes</source>
        <translation>Resume automation on all panes</translation>
    </message>
    <message>
        <source>Stop automation on the selected panes</source>
        <translation>Stop automation on the selected panes</translation>
    </message>
    <message>
        <source>Stop automation on all panes</source>
        <translation>Stop automation on all panes</translation>
    </message>
</context>
<context>
    <name>ItemList</name>
    <message>
        <source>%1 inactive</source>
        <translation>%1 inactive</translation>
    </message>
    <message>
        <source>width : %1 px ,  height : %2 px</source>
        <translation>width : %1 px ,  height : %2 px</translation>
    </message>
</context>
<context>
    <name>ListMoves</name>
    <message>
        <source>Notice</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>Select the entry to move.</source>
        <translation>Select the entry to move.</translation>
    </message>
</context>
<context>
    <name>SceneEditorView</name>
    <message>
        <source>A test is running.
Stop the test, then close the window.</source>
        <translation>A test is running.
Stop the test, then close the window.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
</context>
<context>
    <name>SceneToolWindow</name>
    <message>
        <source>Add an Item: drag its rectangle on the screen</source>
        <translation>Add an Item: drag its rectangle on the screen</translation>
    </message>
    <message>
        <source>Adding an Item: drag its rectangle on the screen</source>
        <translation>Adding an Item: drag its rectangle on the screen</translation>
    </message>
    <message>
        <source>Capture the selected Item&apos;s template again</source>
        <translation>Capture the selected Item&apos;s template again</translation>
    </message>
    <message>
        <source>Switch the selected Item on or off</source>
        <translation>Switch the selected Item on or off</translation>
    </message>
    <message>
        <source>Switch every Item on and forget their actions</source>
        <translation>Switch every Item on and forget their actions</translation>
    </message>
    <message>
        <source>Save the Scene</source>
        <translation>Save the Scene</translation>
    </message>
    <message>
        <source>Test the selected Item on the live screen</source>
        <translation>Test the selected Item on the live screen</translation>
    </message>
    <message>
        <source>Stop the Item test</source>
        <translation>Stop the Item test</translation>
    </message>
    <message>
        <source>Run the Scene on the device</source>
        <translation>Run the Scene on the device</translation>
    </message>
    <message>
        <source>Stop the Scene run</source>
        <translation>Stop the Scene run</translation>
    </message>
    <message>
        <source>Delete the Scene&apos;s file</source>
        <translation>Delete the Scene&apos;s file</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>portable: the program&apos;s own folder holds config.ini, Apps or Scenes</source>
        <translation>portable: the program&apos;s own folder holds config.ini, Apps or Scenes</translation>
    </message>
    <message>
        <source>chosen with --data</source>
        <translation>chosen with --data</translation>
    </message>
    <message>
        <source>the user&apos;s data folder ($XDG_DATA_HOME/zorkvm): no config.ini, Apps or Scenes beside the program</source>
        <translation>the user&apos;s data folder ($XDG_DATA_HOME/zorkvm): no config.ini, Apps or Scenes beside the program</translation>
    </message>
    <message>
        <source>Data folder</source>
        <translation>Data folder</translation>
    </message>
</context>
<context>
    <name>StartFolder</name>
    <message>
        <source>Cannot use the data folder: %1</source>
        <translation>Cannot use the data folder: %1</translation>
    </message>
</context>
<context>
    <name>StatusStrip</name>
    <message>
        <source>paused</source>
        <translation>paused</translation>
    </message>
    <message>
        <source>paused: no signal</source>
        <translation>paused: no signal</translation>
    </message>
    <message>
        <source>paused: screen size</source>
        <translation>paused: screen size</translation>
    </message>
    <message>
        <source>paused: operator input</source>
        <translation>paused: operator input</translation>
    </message>
    <message>
        <source>stalled</source>
        <translation>stalled</translation>
    </message>
    <message>
        <source>error</source>
        <translation>error</translation>
    </message>
    <message>
        <source>idle</source>
        <translation>idle</translation>
    </message>
    <message>
        <source>%1 %2 s ago</source>
        <translation>%1 %2 s ago</translation>
    </message>
    <message>
        <source>%1 %2 min ago</source>
        <translation>%1 %2 min ago</translation>
    </message>
    <message>
        <source>%1 %2 h ago</source>
        <translation>%1 %2 h ago</translation>
    </message>
    <message>
        <source>%1 steps/s</source>
        <translation>%1 steps/s</translation>
    </message>
    <message>
        <source>+%1 Apps</source>
        <translation>+%1 Apps</translation>
    </message>
</context>
<context>
    <name>TopBar</name>
    <message>
        <source>App Manager (Ctrl+M)</source>
        <translation>App Manager (Ctrl+M)</translation>
    </message>
    <message>
        <source>Add a device (Ctrl+N)</source>
        <translation>Add a device (Ctrl+N)</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Web site</source>
        <translation>Web site</translation>
    </message>
</context>
<context>
    <name>zor::AppManagerDialog</name>
    <message>
        <source>App Manager</source>
        <translation>App Manager</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Could not save the App information.
</source>
        <translation>Could not save the App information.
</translation>
    </message>
    <message>
        <source>Give the App a name before saving it.</source>
        <translation>Give the App a name before saving it.</translation>
    </message>
    <message>
        <source>An App name cannot contain / or \ and cannot be . or .. Choose another name.</source>
        <translation>An App name cannot contain / or \ and cannot be . or .. Choose another name.</translation>
    </message>
    <message>
        <source>Delete the App &quot;%1&quot;?</source>
        <translation>Delete the App &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>There is no file to delete, or deleting it failed.</source>
        <translation>There is no file to delete, or deleting it failed.</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>The App information was deleted.</source>
        <translation>The App information was deleted.</translation>
    </message>
</context>
<context>
    <name>zor::DeviceDialog</name>
    <message>
        <source>Device Add</source>
        <translation>Device Add</translation>
    </message>
    <message>
        <source>Device Edit</source>
        <translation>Device Edit</translation>
    </message>
</context>
<context>
    <name>zor::DevicePane</name>
    <message>
        <source>Double-click for full control (Ctrl+F)</source>
        <translation>Double-click for full control (Ctrl+F)</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>trying again by itself</source>
        <translation>trying again by itself</translation>
    </message>
    <message>
        <source>click connect to try again</source>
        <translation>click connect to try again</translation>
    </message>
    <message>
        <source>automation waits for the device</source>
        <translation>automation waits for the device</translation>
    </message>
    <message>
        <source>automation paused: no picture from the device</source>
        <translation>automation paused: no picture from the device</translation>
    </message>
    <message>
        <source>automation paused: the screen is not %1 x %2</source>
        <translation>automation paused: the screen is not %1 x %2</translation>
    </message>
    <message>
        <source>automation paused: operator input</source>
        <translation>automation paused: operator input</translation>
    </message>
    <message>
        <source>no run log: %1</source>
        <translation>no run log: %1</translation>
    </message>
</context>
<context>
    <name>zor::FullControlWindow</name>
    <message>
        <source>Full Control</source>
        <translation>Full Control</translation>
    </message>
    <message>
        <source>Full Control  |  FPS: %1</source>
        <translation>Full Control  |  FPS: %1</translation>
    </message>
    <message>
        <source>Operator input pauses the Apps</source>
        <translation>Operator input pauses the Apps</translation>
    </message>
    <message>
        <source>Apps paused: operator input</source>
        <translation>Apps paused: operator input</translation>
    </message>
</context>
<context>
    <name>zor::MainWindow</name>
    <message>
        <source>Web site</source>
        <translation>Web site</translation>
    </message>
    <message>
        <source>No web browser could be started. The web site is %1</source>
        <translation>No web browser could be started. The web site is %1</translation>
    </message>
    <message>
        <source>Confirm exit</source>
        <translation>Confirm exit</translation>
    </message>
    <message>
        <source>Quit the program?</source>
        <translation>Quit the program?</translation>
    </message>
</context>
<context>
    <name>zor::PaneContainer</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Could not save the config.ini file.
</source>
        <translation>Could not save the config.ini file.
</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>You pressed the Cancel button.</source>
        <translation>You pressed the Cancel button.</translation>
    </message>
    <message>
        <source>Do you really want to delete this item?</source>
        <translation>Do you really want to delete this item?</translation>
    </message>
    <message>
        <source>Confirm delete</source>
        <translation>Confirm delete</translation>
    </message>
</context>
<context>
    <name>zor::PaneTitleBar</name>
    <message>
        <source>No AppFiles</source>
        <translation>No AppFiles</translation>
    </message>
</context>
<context>
    <name>zor::SceneEditorView</name>
    <message>
        <source>Editor</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>The Scene &quot;%1&quot; has unsaved changes. Save them before closing?</source>
        <translation>The Scene &quot;%1&quot; has unsaved changes. Save them before closing?</translation>
    </message>
</context>
<context>
    <name>zor::SceneToolForm</name>
    <message>
        <source>SceneName : </source>
        <translation>SceneName : </translation>
    </message>
    <message>
        <source>SceneDesc : </source>
        <translation>SceneDesc : </translation>
    </message>
    <message>
        <source>SceneScript</source>
        <translation>SceneScript</translation>
    </message>
    <message>
        <source>Item Name : </source>
        <translation>Item Name : </translation>
    </message>
    <message>
        <source>Item Type : </source>
        <translation>Item Type : </translation>
    </message>
    <message>
        <source>Color : </source>
        <translation>Color : </translation>
    </message>
    <message>
        <source>CF : </source>
        <translation>CF : </translation>
    </message>
    <message>
        <source>Item Params</source>
        <translation>Item Params</translation>
    </message>
    <message>
        <source>Item Script</source>
        <translation>Item Script</translation>
    </message>
    <message>
        <source>Scene List</source>
        <translation>Scene List</translation>
    </message>
</context>
<context>
    <name>zor::SceneToolWindow</name>
    <message>
        <source>Scene Tool</source>
        <translation>Scene Tool</translation>
    </message>
    <message>
        <source>SCENE TOOL</source>
        <translation>SCENE TOOL</translation>
    </message>
    <message>
        <source>Select an Item, then run it.</source>
        <translation>Select an Item, then run it.</translation>
    </message>
    <message>
        <source>Delete the selected item?</source>
        <translation>Delete the selected item?</translation>
    </message>
    <message>
        <source>Confirm delete</source>
        <translation>Confirm delete</translation>
    </message>
    <message>
        <source>Save failed</source>
        <translation>Save failed</translation>
    </message>
    <message>
        <source>The Scene &quot;%1&quot; was not saved: %2</source>
        <translation>The Scene &quot;%1&quot; was not saved: %2</translation>
    </message>
</context>
<context>
    <name>zor::SettingsDialog</name>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Follow the system</source>
        <translation>Follow the system</translation>
    </message>
    <message>
        <source>The language changes at the next start of the program.</source>
        <translation>The language changes at the next start of the program.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>never</source>
        <translation>never</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source>Pause without a picture</source>
        <translation>Pause without a picture</translation>
    </message>
    <message>
        <source>A device&apos;s Apps pause when no picture came for this long, and go on by themselves when pictures come back. From the next start of automation.</source>
        <translation>A device&apos;s Apps pause when no picture came for this long, and go on by themselves when pictures come back. From the next start of automation.</translation>
    </message>
    <message>
        <source>Report a stall after</source>
        <translation>Report a stall after</translation>
    </message>
    <message>
        <source>An App that finds nothing on its Scene for this long is reported as stalled; it goes on running.</source>
        <translation>An App that finds nothing on its Scene for this long is reported as stalled; it goes on running.</translation>
    </message>
    <message>
        <source>Start automation when a device connects</source>
        <translation>Start automation when a device connects</translation>
    </message>
    <message>
        <source>Unattended start</source>
        <translation>Unattended start</translation>
    </message>
    <message>
        <source>Every device&apos;s Apps start by themselves once its screen shows. zorkvm --start-automation does the same for one session.</source>
        <translation>Every device&apos;s Apps start by themselves once its screen shows. zorkvm --start-automation does the same for one session.</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
    <message>
        <source>Run logs</source>
        <translation>Run logs</translation>
    </message>
    <message>
        <source>Each run of a device&apos;s Apps writes its events and pictures of the screen (when paused, stalled, a Scene is unreadable, and at each Item&apos;s first match) to a file in this folder, up to %1 MB per run. Empty: no logs. From the next start of automation.</source>
        <translation>Each run of a device&apos;s Apps writes its events and pictures of the screen (when paused, stalled, a Scene is unreadable, and at each Item&apos;s first match) to a file in this folder, up to %1 MB per run. Empty: no logs. From the next start of automation.</translation>
    </message>
</context>
<context>
    <name>zor::ThumbnailView</name>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Connecting</source>
        <translation>Connecting</translation>
    </message>
</context>
</TS>
