<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ErrorReport</name>
    <message>
        <source>ファイル %1 を作成できません</source>
        <translation>Cannot create the file %1</translation>
    </message>
    <message>
        <source>ファイル %1 は開けません</source>
        <translation>Cannot open the file %1</translation>
    </message>
    <message>
        <source>%1 に書き込めません</source>
        <translation>Cannot write to %1</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
</context>
<context>
    <name>TNelFolderDialog</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>このフォルダ名には使えない文字が含まれています</source>
        <translation>This folder&apos;s name holds characters that cannot be used</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>Choose a folder.</translation>
    </message>
    <message>
        <source>フォルダの参照</source>
        <translation>Browse for Folder</translation>
    </message>
</context>
<context>
    <name>TTemplateMenu</name>
    <message>
        <source>      &lt;&lt; 次を表示(&amp;N) &gt;&gt;</source>
        <translation>      &lt;&lt; Show &amp;Next &gt;&gt;</translation>
    </message>
</context>
<context>
    <name>TfrmAbout</name>
    <message>
        <source>バージョン情報</source>
        <translation>About Velmarinth</translation>
    </message>
    <message>
        <source>マウスでURL入力</source>
        <translation>URLs by mouse</translation>
    </message>
</context>
<context>
    <name>TfrmEditTemplate</name>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>テンプレートの編集</source>
        <translation>Edit Templates</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>キャレット位置が赤で表示されています(&amp;L)</source>
        <translation>&amp;List (caret position in red)</translation>
    </message>
    <message>
        <source>文字列とキャレット位置を設定してください(&amp;E)</source>
        <translation>&amp;Enter the text and place the caret</translation>
    </message>
    <message>
        <source>置換(&amp;R)</source>
        <translation>&amp;Update</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>リストを初期化(&amp;Z)</source>
        <translation>Re&amp;set List</translation>
    </message>
    <message>
        <source>選択されたテンプレートを削除してもよろしいですか？</source>
        <translation>Delete the selected template?</translation>
    </message>
    <message>
        <source>テンプレートのリストを初期状態に戻してもよろしいですか？</source>
        <translation>Put the template list back as it was at first?</translation>
    </message>
    <message>
        <source>本当によろしいですか？</source>
        <translation>Are you sure?</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>クリップボードにコピー</source>
        <translation>Copy to the clipboard</translation>
    </message>
    <message>
        <source>クリップボードから貼り付け</source>
        <translation>Paste from the clipboard</translation>
    </message>
    <message>
        <source>キャレットを先頭へ</source>
        <translation>Caret to the start</translation>
    </message>
    <message>
        <source>長押しで左へ早送り</source>
        <translation>Hold to move left fast</translation>
    </message>
    <message>
        <source>長押しで右へ早送り</source>
        <translation>Hold to move right fast</translation>
    </message>
    <message>
        <source>キャレットを最後に</source>
        <translation>Caret to the end</translation>
    </message>
    <message>
        <source>すべて消去</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>キャレットの右の文字を削除</source>
        <translation>Delete the character right of the caret</translation>
    </message>
    <message>
        <source>キャレットの左の文字を削除</source>
        <translation>Delete the character left of the caret</translation>
    </message>
    <message>
        <source>スラッシュ</source>
        <translation>Slash</translation>
    </message>
    <message>
        <source>ハイフン</source>
        <translation>Hyphen</translation>
    </message>
    <message>
        <source>チルダ</source>
        <translation>Tilde</translation>
    </message>
    <message>
        <source>アンダーバー</source>
        <translation>Underscore</translation>
    </message>
    <message>
        <source>コロン</source>
        <translation>Colon</translation>
    </message>
    <message>
        <source>ドット</source>
        <translation>Dot</translation>
    </message>
    <message>
        <source>パーセント</source>
        <translation>Percent</translation>
    </message>
    <message>
        <source>クエスチョンマーク</source>
        <translation>Question mark</translation>
    </message>
    <message>
        <source>アンパサンド</source>
        <translation>Ampersand</translation>
    </message>
    <message>
        <source>最前面に表示(&amp;T)</source>
        <translation>Always on &amp;Top</translation>
    </message>
    <message>
        <source>テンプレートに追加(&amp;U)</source>
        <translation>Add the &amp;URL to Templates</translation>
    </message>
    <message>
        <source>インターネットショートカットの作成</source>
        <translation>Make an Internet Shortcut</translation>
    </message>
    <message>
        <source>クリップボードを開くことができません</source>
        <translation>Cannot open the clipboard</translation>
    </message>
    <message>
        <source>小文字に切り替え</source>
        <translation>Switch to lower case</translation>
    </message>
    <message>
        <source>大文字に切り替え</source>
        <translation>Switch to upper case</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>ブラウザに送る(&amp;B)</source>
        <translation>Send to &amp;Browser</translation>
    </message>
    <message>
        <source>クリップボードにコピー(&amp;P)</source>
        <translation>&amp;Copy to Clipboard</translation>
    </message>
    <message>
        <source>クリップボードから貼り付け(&amp;V)</source>
        <translation>&amp;Paste from Clipboard</translation>
    </message>
    <message>
        <source>インターネットショートカットの作成(&amp;S)</source>
        <translation>Make Internet &amp;Shortcut</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>テンプレート(&amp;T)</source>
        <translation>&amp;Templates</translation>
    </message>
    <message>
        <source>テンプレートの編集(&amp;T)</source>
        <translation>Edit &amp;Templates</translation>
    </message>
    <message>
        <source>設定(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>常に最前面に表示(&amp;M)</source>
        <translation>Always on &amp;Top</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>説明書の表示(&amp;H)</source>
        <translation>Show the &amp;Manual</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Velmarinth</translation>
    </message>
    <message>
        <source>ブラウザで開く</source>
        <translation>Open in the browser</translation>
    </message>
    <message>
        <source>URL入力ボックス</source>
        <translation>URL box</translation>
    </message>
</context>
<context>
    <name>TfrmMakeIS</name>
    <message>
        <source>ｲﾝﾀｰﾈｯﾄｼｮｰﾄｶｯﾄの作成</source>
        <translation>Make Internet Shortcut</translation>
    </message>
    <message>
        <source>ファイル名を入力してください。(&amp;N)</source>
        <translation>Enter a file &amp;name:</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>Choose a folder.</translation>
    </message>
    <message>
        <source>フォルダの参照</source>
        <translation>Browse for Folder</translation>
    </message>
    <message>
        <source>作成する場所(&amp;P)</source>
        <translation>&amp;Place</translation>
    </message>
    <message>
        <source>デスクトップ(&amp;D)</source>
        <translation>&amp;Desktop</translation>
    </message>
    <message>
        <source>お気に入り(&amp;F)</source>
        <translation>&amp;Favorites</translation>
    </message>
    <message>
        <source>任意のフォルダ(&amp;A)</source>
        <translation>&amp;Any folder</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>作成</source>
        <translation>Make</translation>
    </message>
</context>
<context>
    <name>TfrmOption</name>
    <message>
        <source>設定</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>常に最前面に表示する(&amp;T)</source>
        <translation>Always on &amp;top</translation>
    </message>
    <message>
        <source>ツールチップでヒントを表示する(&amp;L)</source>
        <translation>Show hints in too&amp;ltips</translation>
    </message>
    <message>
        <source>CapsLockをキーボードと連動させる(&amp;C)</source>
        <translation>&amp;Caps key follows Caps Lock</translation>
    </message>
    <message>
        <source>終了時にURL入力ボックスの内容を保存する(&amp;S)</source>
        <translation>&amp;Save the URL box on exit</translation>
    </message>
    <message>
        <source>ブラウザを起動後に最小化する(&amp;M)</source>
        <translation>&amp;Minimize after browsing</translation>
    </message>
    <message>
        <source>ブラウザ(&amp;B)</source>
        <translation>&amp;Browser</translation>
    </message>
    <message>
        <source>標準のブラウザを使用する(&amp;D)</source>
        <translation>Use the &amp;default browser</translation>
    </message>
    <message>
        <source>URLをコマンドラインに指定する(&amp;U)</source>
        <translation>Give the &amp;URL as an argument</translation>
    </message>
    <message>
        <source>指定のブラウザを使用する(&amp;F)</source>
        <translation>Use a speci&amp;fied browser</translation>
    </message>
    <message>
        <source>パス(&amp;P)</source>
        <translation>&amp;Path</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
</context>
</TS>
